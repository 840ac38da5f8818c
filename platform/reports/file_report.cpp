// Reports of missing and refused files, each file named once per run.
#include "platform/reports/file_report.h"

#include <cstdio>
#include <set>
#include <string>

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos) return slash == 0 ? "/" : path.substr(0, slash);
    char folder[PATH_MAX];
    return getcwd(folder, sizeof folder) != nullptr ? folder : "the working directory";
}

std::string baseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void reportUnusableFile(const char* const& kind, const char* const& fileName, const char* const& reason) {
    static std::set<std::string> reported;
    const std::string name = fileName != nullptr ? fileName : "";
    if (!reported.insert(name).second) return;
    struct stat info {};
    const bool present = lstat(name.c_str(), &info) == 0;
    const char* why = reason;
    if (why == nullptr) why = S_ISREG(info.st_mode) ? "it cannot be read or is damaged" : "it is not a regular file";
    if (!present && reason == nullptr) {
        std::fprintf(stderr, "quadrimo: %s \"%s\" not found in %s\n", kind, baseName(name).c_str(),
                     folderOf(name).c_str());
    } else {
        std::fprintf(stderr, "quadrimo: %s \"%s\" in %s not used: %s\n", kind, baseName(name).c_str(),
                     folderOf(name).c_str(), why);
    }
}

}  // namespace platform
