// Whole-file reading through POSIX calls, refusing anything but regular files.
#include "platform/files/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int openRegularFile(const char* const& path) {
    if (path == nullptr) {
        errno = ENOENT;
        return -1;
    }
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    // Regular files never block; later reads behave as they always do.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

bool readWholeFile(const char* const& path, const size_t& maxBytes, std::vector<uint8_t>& out) {
    out.clear();
    const int fd = openRegularFile(path);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && info.st_size >= 0 && static_cast<uint64_t>(info.st_size) <= maxBytes;
    if (ok) {
        out.resize(static_cast<size_t>(info.st_size));
        ok = readToFill(fd, out);
    }
    ::close(fd);
    if (!ok) out.clear();
    return ok;
}

bool readToFill(const int& fd, std::vector<uint8_t>& out) {
    size_t done = 0;
    while (done < out.size()) {
        const ssize_t got = ::read(fd, out.data() + done, out.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    // A file that shrank while we read it is not the file we sized.
    return done == out.size();
}

}  // namespace platform
