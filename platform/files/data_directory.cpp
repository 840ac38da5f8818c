// Finds the game's data folder and makes it the working directory.
#include "platform/files/data_directory.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <unistd.h>

// QUADRIMO_DATA_FROM_BINARY (the installed data folder relative to the
// installed program) and QUADRIMO_DATA_ABSOLUTE come from the build, and so
// do QUADRIMO_LOCALE_FROM_BINARY and QUADRIMO_LOCALE_ABSOLUTE for the
// message catalogues.

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
    if (!executablePath.empty()) {
        const std::filesystem::path programFolder = std::filesystem::path(executablePath).parent_path();
        if (holds(programFolder, marker)) return programFolder.string();
        const std::filesystem::path installed = (programFolder / QUADRIMO_DATA_FROM_BINARY).lexically_normal();
        if (holds(installed, marker)) return installed.string();
    }
    if (holds(QUADRIMO_DATA_ABSOLUTE, marker)) return QUADRIMO_DATA_ABSOLUTE;
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (!error && holds(current, marker)) return current.string();
    return std::string();
}

std::vector<std::string> catalogueFolders() {
    std::vector<std::string> folders;
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (!error) folders.push_back((current / "locale").string());
    const std::string program = runningExecutable();
    if (!program.empty())
        folders.push_back(
            (std::filesystem::path(program).parent_path() / QUADRIMO_LOCALE_FROM_BINARY).lexically_normal().string());
    folders.push_back(QUADRIMO_LOCALE_ABSOLUTE);
    return folders;
}

bool enterDataDirectory() {
    const std::string program = runningExecutable();
    const std::string folder = findDataDirectory(program, firstPicture);
    if (!folder.empty() && chdir(folder.c_str()) == 0) return true;
    const std::string programFolder = std::filesystem::path(program).parent_path().string();
    std::fprintf(stderr,
                 "quadrimo: the game's pictures (%s) are neither beside the program in %s, nor in %s, nor in the "
                 "working directory; going on without them\n",
                 firstPicture, programFolder.c_str(), QUADRIMO_DATA_ABSOLUTE);
    return false;
}

}  // namespace platform
