// The settings file: read freely, written under a lock on a lock file
// beside it after checking that nobody changed what was read, replaced
// through a synced temporary file; what cannot be stored waits in memory.
#include "platform/settings/settings_store.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/file_reader.h"
#include "platform/settings/settings_folder.h"

namespace platform {

namespace {

// Ten scores and a switch take a few hundred bytes; a file this large was
// not written by us, and reading it would only cost memory.
constexpr size_t MAX_FILE_BYTES = size_t{64} << 20;

// Values of this run that could not be stored yet, by settings file.
std::map<std::string, SettingValues>& unsavedValues() {
    static std::map<std::string, SettingValues> unsaved;
    return unsaved;
}

// The file's values as they stand now.
struct Snapshot {
    bool exists = false;
    SettingValues values;
    SettingsParse parse = SettingsParse::complete;
    // Present but not readable (no permission, a read error).
    bool unreadable = false;
};

Snapshot readSnapshot(const std::string& path) {
    Snapshot snapshot;
    const int fd = openRegularFile(path.c_str());
    if (fd < 0) {
        // Nothing there, or a FIFO, a device or a folder: no settings file.
        snapshot.unreadable = errno != ENOENT && errno != EINVAL;
        return snapshot;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        ::close(fd);
        snapshot.unreadable = true;
        return snapshot;
    }
    snapshot.exists = true;
    if (static_cast<uint64_t>(info.st_size) > MAX_FILE_BYTES) {
        ::close(fd);
        snapshot.parse = SettingsParse::unreadable;
        return snapshot;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(info.st_size));
    size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + total, bytes.size() - total);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        total += static_cast<size_t>(got);
    }
    ::close(fd);
    if (total != bytes.size()) {
        snapshot.unreadable = true;
        return snapshot;
    }
    snapshot.parse = parseSettingsBytes(bytes.data(), bytes.size(), snapshot.values);
    return snapshot;
}

bool sameValue(const SettingValues& left, const SettingValues& right, const std::string& name) {
    const auto a = left.find(name);
    const auto b = right.find(name);
    if (a == left.end() || b == right.end()) return (a == left.end()) == (b == right.end());
    return a->second == b->second;
}

void layOver(SettingValues& values, const SettingValues& over) {
    for (const auto& [name, value] : over) values.insert_or_assign(name, value);
}

}  // namespace

std::string SettingsStore::defaultPath() {
    std::string dataHome;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        dataHome = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') {
            const passwd* entry = getpwuid(getuid());
            home = entry != nullptr ? entry->pw_dir : nullptr;
        }
        if (home == nullptr || home[0] != '/') return std::string();
        dataHome = std::string(home) + "/.local/share";
    }
    while (dataHome.size() > 1 && dataHome.back() == '/') dataHome.pop_back();
    return dataHome + "/Zentrio/Quadrimo/settings.reg";
}

SettingsStore* SettingsStore::open(const std::string& path, long& status) {
    status = SETTINGS_ACCESS_DENIED;
    if (path.empty()) return nullptr;
    SettingsStore* store = new SettingsStore(path);
    store->fileValues_ = readSnapshot(path).values;
    store->values_ = store->fileValues_;
    const auto unsaved = unsavedValues().find(path);
    if (unsaved != unsavedValues().end()) layOver(store->values_, unsaved->second);
    status = SETTINGS_OK;
    return store;
}

void SettingsStore::removeStaleTemporaries(const std::string& path) {
    if (path.empty()) return;
    // Without the lock file nothing was ever saved here, and creating it is a writer's business.
    struct stat info {};
    if (stat((path + ".lock").c_str(), &info) != 0) return;
    const int lockFd = lockSettings(path, 0);
    if (lockFd < 0) return;
    removeTemporaries(path);
    unlockSettings(lockFd);
}

bool SettingsStore::reportUnsaved(const std::string& path) {
    const auto unsaved = unsavedValues().find(path);
    if (unsaved == unsavedValues().end() || unsaved->second.empty()) return false;
    bool score = false;
    for (const auto& [name, value] : unsaved->second) score = score || name.compare(0, 5, "score") == 0;
    std::fprintf(stderr, "quadrimo: %s could not be stored in %s and %s lost\n",
                 score ? "the new high score" : "the settings", path.c_str(), score ? "is" : "are");
    return true;
}

SettingsStore::SettingsStore(const std::string& path) : path_(path) {}

bool SettingsStore::contains(const std::string& name) const {
    readNames_.insert(name);
    return values_.contains(name);
}

long SettingsStore::read(const std::string& name, const uint32_t& type, void* const& buffer,
                         const uint32_t& capacity) const {
    if (buffer == nullptr) return SETTINGS_BAD_ARGUMENT;
    readNames_.insert(name);
    const auto found = values_.find(name);
    if (found == values_.end()) return SETTINGS_NOT_FOUND;
    const SettingValue& value = found->second;
    // A value of another type would be misread (a string without its zero,
    // a number from text), so it is refused and the caller's default stays.
    if (value.type != type) return SETTINGS_WRONG_TYPE;
    const bool addZero = type == SETTING_STRING && (value.data.empty() || value.data.back() != 0);
    if (value.data.size() + (addZero ? 1 : 0) > capacity) return SETTINGS_MORE_DATA;
    if (!value.data.empty()) std::memcpy(buffer, value.data.data(), value.data.size());
    if (addZero) static_cast<uint8_t*>(buffer)[value.data.size()] = 0;
    return SETTINGS_OK;
}

long SettingsStore::write(const std::string& name, const uint32_t& type, const void* const& data,
                          const uint32_t& size) {
    if (name.empty() || name.find('\n') != std::string::npos || (data == nullptr && size > 0)) {
        return SETTINGS_BAD_ARGUMENT;
    }
    SettingValue value;
    value.type = type;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    value.data.assign(bytes, bytes + size);
    const auto found = values_.find(name);
    if (found != values_.end() && found->second == value) return SETTINGS_OK;
    values_.insert_or_assign(name, value);
    written_.insert_or_assign(name, std::move(value));
    return SETTINGS_OK;
}

long SettingsStore::close(const int& lockWait) {
    const auto unsaved = unsavedValues().find(path_);
    const bool anythingToStore = !written_.empty() || (unsaved != unsavedValues().end() && !unsaved->second.empty());
    if (!anythingToStore) return SETTINGS_OK;
    const int lockFd = lockSettings(path_, lockWait);
    if (lockFd < 0) {
        const bool held = errno == EWOULDBLOCK;
        keepUnsaved(held ? SETTINGS_LOCK_TIMEOUT : SETTINGS_WRITE_FAULT,
                    held ? "another program holds its lock" : std::strerror(errno));
        return held ? SETTINGS_LOCK_TIMEOUT : SETTINGS_WRITE_FAULT;
    }
    const long status = store();
    unlockSettings(lockFd);
    return status;
}

long SettingsStore::store() {
    // The file as it stands now, under the lock: another program may have
    // saved since this store read it (comparing names, sizes and times of
    // files replaced within a millisecond is not enough to tell).
    Snapshot fresh = readSnapshot(path_);
    if (fresh.unreadable) {
        // A file that exists but cannot be read may hold the user's scores.
        keepUnsaved(SETTINGS_ACCESS_DENIED, "the file there cannot be read, so it is left as it is");
        return SETTINGS_ACCESS_DENIED;
    }
    if (readNamesChanged(fresh.values)) return SETTINGS_CHANGED_ELSEWHERE;
    SettingValues merged = std::move(fresh.values);
    const auto unsaved = unsavedValues().find(path_);
    if (unsaved != unsavedValues().end()) layOver(merged, unsaved->second);
    layOver(merged, written_);
    if (fresh.exists && fresh.parse != SettingsParse::complete) {
        const std::string aside = keepAside(path_);
        // Without its copy the old file is not replaced: it may be all the user has.
        if (aside.empty()) {
            keepUnsaved(SETTINGS_WRITE_FAULT, "the damaged file there could not be kept aside");
            return SETTINGS_WRITE_FAULT;
        }
        std::fprintf(stderr, "quadrimo: the settings file %s could not be fully read; it is kept as %s\n",
                     path_.c_str(), aside.c_str());
    }
    if (!replaceFile(path_, formatSettingsText(merged))) {
        keepUnsaved(SETTINGS_WRITE_FAULT, std::strerror(errno));
        return SETTINGS_WRITE_FAULT;
    }
    removeTemporaries(path_);
    unsavedValues().erase(path_);
    written_.clear();
    return SETTINGS_OK;
}

bool SettingsStore::readNamesChanged(const SettingValues& fresh) const {
    for (const std::string& name : readNames_)
        if (!sameValue(fileValues_, fresh, name)) return true;
    return false;
}

void SettingsStore::keepUnsaved(const long& status, const std::string& reason) {
    layOver(unsavedValues()[path_], written_);
    written_.clear();
    static bool told = false;
    if (told) return;
    told = true;
    std::fprintf(stderr, "quadrimo: cannot store the settings in %s (%s, error %ld); trying again later\n",
                 path_.c_str(), reason.c_str(), status);
}

}  // namespace platform
