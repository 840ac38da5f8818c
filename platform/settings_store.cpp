// The settings file: found under the user's data folder, locked with flock
// on a lock file beside it, replaced through a synced temporary file.
#include "platform/settings_store.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A settings file is a few kilobytes; anything past this is not ours.
constexpr size_t MAX_FILE_BYTES = 1 << 20;
// Another copy of the game holds the lock only for a read or a write-back.
constexpr int LOCK_ATTEMPTS = 500;
constexpr useconds_t LOCK_RETRY_MICROSECONDS = 10000;

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool makeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool lockExclusively(const int& fd) {
    for (int attempt = 0; attempt < LOCK_ATTEMPTS; ++attempt) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        usleep(LOCK_RETRY_MICROSECONDS);
    }
    return false;
}

bool writeAll(const int& fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Reads the whole file, up to limit + 1 bytes. False on a read error.
bool readUpTo(const int& fd, const size_t& limit, std::vector<uint8_t>& bytes) {
    bytes.resize(limit + 1);
    size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + total, bytes.size() - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        total += static_cast<size_t>(got);
    }
    bytes.resize(total);
    return true;
}

// Fills a temporary file beside target through fill, syncs it and renames
// it over target, so target always holds either the old or the new whole.
template <typename Fill>
bool replaceFile(const std::string& target, Fill fill) {
    std::string temporary = target + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    const bool written = fill(fd) && fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        ::close(folder);
    }
    return true;
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
    if (path.empty() || !makeFolders(folderOf(path))) return nullptr;
    const int lockFd = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd < 0) return nullptr;
    if (!lockExclusively(lockFd)) {
        ::close(lockFd);
        status = SETTINGS_LOCK_TIMEOUT;
        return nullptr;
    }
    SettingsStore* store = new SettingsStore(path, lockFd);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        status = SETTINGS_OK;
        return store;
    }
    std::vector<uint8_t> bytes;
    // A file that exists but cannot be read must not be replaced: it may
    // hold the user's scores. The store stays closed and defaults are used.
    if (fd < 0 || !readUpTo(fd, MAX_FILE_BYTES, bytes)) {
        if (fd >= 0) ::close(fd);
        delete store;
        return nullptr;
    }
    ::close(fd);
    store->fileExisted_ = true;
    store->parse_ = bytes.size() > MAX_FILE_BYTES ? SettingsParse::unreadable
                                                  : parseSettingsBytes(bytes.data(), bytes.size(), store->values_);
    status = SETTINGS_OK;
    return store;
}

SettingsStore::SettingsStore(const std::string& path, const int& lockFd) : path_(path), lockFd_(lockFd) {}

SettingsStore::~SettingsStore() { unlock(); }

bool SettingsStore::contains(const std::string& name) const { return values_.contains(name); }

long SettingsStore::read(const std::string& name, const uint32_t& type, void* const& buffer,
                         const uint32_t& capacity) const {
    if (buffer == nullptr) return SETTINGS_BAD_ARGUMENT;
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
    values_.insert_or_assign(name, std::move(value));
    changed_ = true;
    return SETTINGS_OK;
}

long SettingsStore::close() {
    long status = SETTINGS_OK;
    if (changed_) {
        if (fileExisted_ && parse_ != SettingsParse::complete) status = keepBadCopy();
        // Without its copy the old file is not replaced: it may be all the user has.
        if (status == SETTINGS_OK) status = writeBack();
        if (status == SETTINGS_OK) {
            changed_ = false;
            fileExisted_ = true;
            parse_ = SettingsParse::complete;
        }
    }
    unlock();
    return status;
}

long SettingsStore::keepBadCopy() const {
    const int source = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) return SETTINGS_WRITE_FAULT;
    const bool copied = replaceFile(path_ + ".bad", [source](const int& fd) {
        char chunk[65536];
        while (true) {
            const ssize_t got = ::read(source, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return false;
            if (got == 0) return true;
            if (!writeAll(fd, chunk, static_cast<size_t>(got))) return false;
        }
    });
    ::close(source);
    return copied ? SETTINGS_OK : SETTINGS_WRITE_FAULT;
}

long SettingsStore::writeBack() const {
    const std::string text = formatSettingsText(values_);
    const bool written = replaceFile(path_, [&text](const int& fd) { return writeAll(fd, text.data(), text.size()); });
    return written ? SETTINGS_OK : SETTINGS_WRITE_FAULT;
}

void SettingsStore::unlock() {
    if (lockFd_ < 0) return;
    flock(lockFd_, LOCK_UN);
    ::close(lockFd_);
    lockFd_ = -1;
}

}  // namespace platform
