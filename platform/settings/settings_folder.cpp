// Folder, lock, atomic replacement and housekeeping of the settings file.
#include "platform/settings/settings_folder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int LOCK_STEP_MILLISECONDS = 10;
const char* const BAD_COPY_SUFFIX = ".bad-";

std::string baseOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
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

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    ::close(fd);
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return names;
    while (const dirent* entry = readdir(listing)) names.emplace_back(entry->d_name);
    closedir(listing);
    return names;
}

// A time stamp that sorts as text: UTC date and time with nanoseconds.
std::string timeStamp() {
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    tm parts {};
    gmtime_r(&now.tv_sec, &parts);
    char text[80];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d-%09ld", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec, static_cast<long>(now.tv_nsec));
    return text;
}

void removeOldBadCopies(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string prefix = baseOf(path) + BAD_COPY_SUFFIX;
    std::vector<std::string> copies;
    for (const std::string& name : namesIn(folder))
        if (name.compare(0, prefix.size(), prefix) == 0) copies.push_back(name);
    std::sort(copies.begin(), copies.end());
    for (size_t i = 0; i + KEPT_BAD_COPIES < copies.size(); ++i) unlink((folder + "/" + copies[i]).c_str());
}

}  // namespace

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

int lockSettings(const std::string& path, const int& waitMilliseconds) {
    if (!makeFolders(folderOf(path))) return -1;
    const int fd = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) return -1;
    for (int waited = 0;; waited += LOCK_STEP_MILLISECONDS) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) || waited >= waitMilliseconds) {
            ::close(fd);
            errno = error;
            return -1;
        }
        usleep(LOCK_STEP_MILLISECONDS * 1000);
    }
}

void unlockSettings(const int& lockFd) {
    if (lockFd < 0) return;
    flock(lockFd, LOCK_UN);
    ::close(lockFd);
}

bool replaceFile(const std::string& path, const std::string& text) {
    std::string temporary = path + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    const bool written = writeAll(fd, text.data(), text.size()) && fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        errno = error;
        return false;
    }
    syncFolder(folderOf(path));
    return true;
}

std::string keepAside(const std::string& path) {
    std::string aside = path + BAD_COPY_SUFFIX + timeStamp();
    // A link keeps the file at its place until the new one replaces it; a
    // file system without links gets a rename.
    if (link(path.c_str(), aside.c_str()) != 0 && rename(path.c_str(), aside.c_str()) != 0) return std::string();
    syncFolder(folderOf(path));
    removeOldBadCopies(path);
    return aside;
}

void removeTemporaries(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string prefix = baseOf(path) + ".";
    for (const std::string& name : namesIn(folder)) {
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        const bool temporaryName = std::all_of(name.begin() + static_cast<long>(prefix.size()), name.end(),
                                               [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
        struct stat info {};
        const std::string file = folder + "/" + name;
        if (temporaryName && lstat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink(file.c_str());
    }
}

}  // namespace platform
