// Finds the game's data folder and makes it the working directory.
#include "platform/data_directory.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

// QUADRIMO_DATA_FROM_BINARY (the installed data folder relative to the
// installed program) and QUADRIMO_DATA_ABSOLUTE come from the build.

namespace platform {

namespace {

// The first picture the program reads at start-up.
constexpr const char* firstPicture = "company.bmp";

bool holds(const std::filesystem::path& folder, const char* const& marker) {
    std::error_code error;
    return !folder.empty() && std::filesystem::is_regular_file(folder / marker, error);
}

std::string runningExecutable() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

}  // namespace

std::string findDataDirectory(const std::string& executablePath, const char* const& marker) {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (!error && holds(current, marker)) return current.string();
    if (!executablePath.empty()) {
        const std::filesystem::path programFolder = std::filesystem::path(executablePath).parent_path();
        if (holds(programFolder, marker)) return programFolder.string();
        const std::filesystem::path installed = (programFolder / QUADRIMO_DATA_FROM_BINARY).lexically_normal();
        if (holds(installed, marker)) return installed.string();
    }
    if (holds(QUADRIMO_DATA_ABSOLUTE, marker)) return QUADRIMO_DATA_ABSOLUTE;
    return std::string();
}

bool enterDataDirectory() {
    if (holds(".", firstPicture)) return true;
    const std::string folder = findDataDirectory(runningExecutable(), firstPicture);
    return !folder.empty() && chdir(folder.c_str()) == 0;
}

}  // namespace platform
