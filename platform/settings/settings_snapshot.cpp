// Reading the settings file through a copy of its last parse, checked
// against the file's identity or its bytes.
#include "platform/settings/settings_snapshot.h"

#include <cerrno>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/file_reader.h"

namespace platform {

namespace {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified {};
    timespec changed {};
    bool operator==(const FileIdentity& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

FileIdentity identityOf(const struct stat& info) {
    return FileIdentity{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

size_t hashOf(const void* const& bytes, const size_t& size) {
    return std::hash<std::string_view>{}(std::string_view(static_cast<const char*>(bytes), size));
}

// The file the copy in memory was made from.
struct KnownFile {
    std::string path;
    FileIdentity identity;
    size_t size = 0;
    size_t hash = 0;
};

// The last file parsed, one for the whole program: one store is used at a time.
std::pair<KnownFile, SettingsSnapshot>& lastParsed() {
    static std::pair<KnownFile, SettingsSnapshot> last;
    return last;
}

}  // namespace

SettingsSnapshot::SettingsSnapshot() : parsed_(std::make_shared<const SettingValues>()) {}

SettingsSnapshot SettingsSnapshot::read(const std::string& path, const Check& check) {
    SettingsSnapshot snapshot;
    if (path.empty()) return snapshot;
    const int fd = openRegularFile(path.c_str());
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0) {
        // Nothing there, or a FIFO, a device or a folder: no settings file.
        snapshot.unreadable = fd >= 0 || (errno != ENOENT && errno != EINVAL);
        if (fd >= 0) ::close(fd);
        return snapshot;
    }
    snapshot.exists = true;
    auto& [known, kept] = lastParsed();
    const FileIdentity identity = identityOf(info);
    const bool sameFile = known.path == path;
    if (static_cast<uint64_t>(info.st_size) > MAX_SETTINGS_FILE_BYTES) {
        snapshot.tooLarge = true;
        snapshot.parse = SettingsParse::unreadable;
    } else if (check == Check::identity && sameFile && known.identity == identity) {
        snapshot = kept;
    } else if (std::vector<uint8_t> bytes(static_cast<size_t>(info.st_size)); !readToFill(fd, bytes)) {
        snapshot.unreadable = true;
    } else {
        const size_t hash = hashOf(bytes.data(), bytes.size());
        if (sameFile && known.size == bytes.size() && known.hash == hash) {
            known.identity = identity;
            snapshot = kept;
        } else {
            SettingValues values;
            snapshot.parse = parseSettingsBytes(bytes.data(), bytes.size(), values);
            snapshot.parsed_ = std::make_shared<const SettingValues>(std::move(values));
            known = KnownFile{path, identity, bytes.size(), hash};
            kept = snapshot;
        }
    }
    ::close(fd);
    return snapshot;
}

const SettingValue* SettingsSnapshot::find(const std::string& name) const {
    const auto stored = stored_.find(name);
    if (stored != stored_.end()) return &stored->second;
    const auto parsed = parsed_->find(name);
    return parsed != parsed_->end() ? &parsed->second : nullptr;
}

std::string SettingsSnapshot::format(const SettingValues& laidOver) const {
    if (stored_.empty()) return formatSettingsText(*parsed_, laidOver);
    SettingValues over = stored_;
    for (const auto& [name, value] : laidOver) over.insert_or_assign(name, value);
    return formatSettingsText(*parsed_, over);
}

void SettingsSnapshot::saved(const std::string& path, const SettingValues& laidOver, const std::string& text) const {
    struct stat info {};
    auto& [known, kept] = lastParsed();
    if (stat(path.c_str(), &info) != 0) {
        known = KnownFile{};
        return;
    }
    known = KnownFile{path, identityOf(info), text.size(), hashOf(text.data(), text.size())};
    kept = *this;
    kept.exists = true;
    kept.unreadable = false;
    kept.tooLarge = false;
    kept.parse = SettingsParse::complete;
    for (const auto& [name, value] : laidOver) kept.stored_.insert_or_assign(name, value);
}

}  // namespace platform
