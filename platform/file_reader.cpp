// Whole-file reading through POSIX calls, refusing anything but regular files.
#include "platform/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

bool readWholeFile(const char* const& path, const size_t& maxBytes, std::vector<uint8_t>& out) {
    out.clear();
    if (path == nullptr) return false;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
              static_cast<uint64_t>(info.st_size) <= maxBytes;
    if (ok) {
        out.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (done < out.size()) {
            const ssize_t got = ::read(fd, out.data() + done, out.size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<size_t>(got);
        }
        // A file that shrank while we read it is not the file we sized.
        ok = done == out.size();
    }
    ::close(fd);
    if (!ok) out.clear();
    return ok;
}

}  // namespace platform
