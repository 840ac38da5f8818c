// The settings file: read freely, written under a lock on a lock file
// beside it after checking that nobody changed what was read, replaced
// through a synced temporary file; what cannot be stored waits in memory.
#include "platform/settings/settings_store.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/settings/settings_folder.h"

namespace platform {

namespace {

// A change a close could not store: the values it wrote, and the values it
// had read, as it saw them (none: missing). It was made from those, so it
// is stored only while they still hold: a default created for a missing
// score must not overwrite the score another copy stored there since.
struct KeptChange {
    std::map<std::string, std::optional<SettingValue>, SettingNameLess> basis;
    SettingValues values;
};

// The kept changes of this run, oldest first, by settings file.
std::map<std::string, std::vector<KeptChange>>& keptChanges() {
    static std::map<std::string, std::vector<KeptChange>> kept;
    return kept;
}

const SettingValue* lookUp(const SettingsSnapshot& file, const SettingValues& over, const std::string& name) {
    const auto found = over.find(name);
    return found != over.end() ? &found->second : file.find(name);
}

bool sameValue(const SettingValue* const& left, const SettingValue* const& right) {
    if (left == nullptr || right == nullptr) return left == right;
    return *left == *right;
}

// Lays the kept changes for path that still hold over over, oldest first;
// with prune set, the others are dropped for good.
void layKeptChanges(const std::string& path, const SettingsSnapshot& file, SettingValues& over, const bool& prune) {
    const auto kept = keptChanges().find(path);
    if (kept == keptChanges().end()) return;
    std::vector<KeptChange> holding;
    for (KeptChange& change : kept->second) {
        bool holds = true;
        for (const auto& [name, value] : change.basis)
            holds = holds && sameValue(value.has_value() ? &*value : nullptr, lookUp(file, over, name));
        if (!holds) continue;
        for (const auto& [name, value] : change.values) over.insert_or_assign(name, value);
        if (prune) holding.push_back(std::move(change));
    }
    if (prune) kept->second = std::move(holding);
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
    store->file_ = SettingsSnapshot::read(path, SettingsSnapshot::Check::identity);
    layKeptChanges(path, store->file_, store->kept_, false);
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
    const auto kept = keptChanges().find(path);
    if (kept == keptChanges().end() || kept->second.empty()) return false;
    std::fprintf(stderr, "quadrimo: the settings could not be stored in %s and are lost\n", path.c_str());
    return true;
}

SettingsStore::SettingsStore(const std::string& path) : path_(path) {}

const SettingValue* SettingsStore::find(const std::string& name) const {
    const auto written = written_.find(name);
    return written != written_.end() ? &written->second : seen(name);
}

const SettingValue* SettingsStore::seen(const std::string& name) const { return lookUp(file_, kept_, name); }

bool SettingsStore::contains(const std::string& name) const {
    readNames_.insert(name);
    return find(name) != nullptr;
}

long SettingsStore::read(const std::string& name, const uint32_t& type, void* const& buffer,
                         const uint32_t& capacity) const {
    if (buffer == nullptr) return SETTINGS_BAD_ARGUMENT;
    readNames_.insert(name);
    const SettingValue* found = find(name);
    if (found == nullptr) return SETTINGS_NOT_FOUND;
    const SettingValue& value = *found;
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
    if (sameValue(find(name), &value)) return SETTINGS_OK;
    written_.insert_or_assign(name, std::move(value));
    return SETTINGS_OK;
}

long SettingsStore::close(const int& lockWait, const Unstored& unstored) {
    const auto kept = keptChanges().find(path_);
    const bool anythingToStore = !written_.empty() || (kept != keptChanges().end() && !kept->second.empty());
    if (!anythingToStore) return SETTINGS_OK;
    const int lockFd = lockSettings(path_, lockWait);
    if (lockFd < 0) {
        const bool held = errno == EWOULDBLOCK;
        const long status = held ? SETTINGS_LOCK_TIMEOUT : SETTINGS_WRITE_FAULT;
        failed(status, held ? "another program holds its lock" : std::strerror(errno), unstored);
        return status;
    }
    const long status = store(unstored);
    unlockSettings(lockFd);
    return status;
}

long SettingsStore::store(const Unstored& unstored) {
    // The file as it stands now, under the lock: another program may have
    // saved since this store read it, within the same tick of the file
    // times, so the bytes decide.
    const SettingsSnapshot fresh = SettingsSnapshot::read(path_, SettingsSnapshot::Check::content);
    if (fresh.unreadable) {
        // A file that exists but cannot be read may hold the user's scores.
        failed(SETTINGS_ACCESS_DENIED, "the file there cannot be read, so it is left as it is", unstored);
        return SETTINGS_ACCESS_DENIED;
    }
    SettingValues over;
    layKeptChanges(path_, fresh, over, true);
    for (const std::string& name : readNames_)
        if (!sameValue(seen(name), lookUp(fresh, over, name))) return SETTINGS_CHANGED_ELSEWHERE;
    for (const auto& [name, value] : written_) over.insert_or_assign(name, value);
    const std::string text = fresh.format(over);
    // A file the next reading would refuse would take every value with it.
    if (text.size() > MAX_SETTINGS_FILE_BYTES) {
        failed(SETTINGS_WRITE_FAULT, "the file would grow past the largest size read", unstored);
        return SETTINGS_WRITE_FAULT;
    }
    if (fresh.exists && fresh.parse != SettingsParse::complete) {
        const std::string aside = keepAside(path_);
        // Without its copy the old file is not replaced: it may be all the user has.
        if (aside.empty()) {
            failed(SETTINGS_WRITE_FAULT, "the damaged file there could not be kept aside", unstored);
            return SETTINGS_WRITE_FAULT;
        }
        std::fprintf(stderr, "quadrimo: the settings file %s %s; it is kept as %s\n", path_.c_str(),
                     fresh.tooLarge ? "is too large to be read" : "could not be fully read", aside.c_str());
    }
    if (!replaceFile(path_, text)) {
        failed(SETTINGS_WRITE_FAULT, std::strerror(errno), unstored);
        return SETTINGS_WRITE_FAULT;
    }
    fresh.saved(path_, over, text);
    removeTemporaries(path_);
    keptChanges().erase(path_);
    written_.clear();
    return SETTINGS_OK;
}

void SettingsStore::failed(const long& status, const std::string& reason, const Unstored& unstored) {
    if (unstored == Unstored::keep && !written_.empty()) {
        KeptChange change;
        for (const std::string& name : readNames_) {
            const SettingValue* value = seen(name);
            change.basis.emplace(name, value != nullptr ? std::optional<SettingValue>(*value) : std::nullopt);
        }
        change.values = std::move(written_);
        keptChanges()[path_].push_back(std::move(change));
    }
    written_.clear();
    static bool told = false;
    if (told) return;
    told = true;
    std::fprintf(stderr, "quadrimo: cannot store the settings in %s (%s, error %ld); trying again later\n",
                 path_.c_str(), reason.c_str(), status);
}

}  // namespace platform
