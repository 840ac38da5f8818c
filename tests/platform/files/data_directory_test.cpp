// Finding the data folder of a program started from somewhere else, and
// not being misled by a folder a stranger prepared.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files/data_directory.h"

namespace fs = std::filesystem;

TEST(DataDirectory, PrefersTheProgramFolderThenTheInstalledTreeAndTheWorkingDirectoryOnlyWithoutEither) {
    const fs::path root = fs::temp_directory_path() / ("quadrimo-data-" + std::to_string(::getpid()));
    const fs::path previous = fs::current_path();
    fs::create_directories(root / "elsewhere");
    fs::current_path(root / "elsewhere");
    // A marker no real installation holds, so the configured folder never answers.
    const char* marker = "quadrimo-data-directory-test.marker";
    const std::string program = (root / "prefix" / "bin" / "quadrimo").string();
    const auto found = [&] { return fs::path(platform::findDataDirectory(program, marker)); };

    // A folder named like the marker is no marker.
    fs::create_directories(root / "prefix" / "share" / "quadrimo" / marker / "inside");
    EXPECT_EQ(found(), "");
    EXPECT_EQ(platform::findDataDirectory("", marker), "");
    fs::remove_all(root / "prefix" / "share" / "quadrimo" / marker);
    // Each folder made holds the marker too; the one found is the one the
    // program should trust most. A stranger's working directory comes last.
    for (const fs::path& folder : {root / "elsewhere", root / "prefix" / "share" / "quadrimo", root / "prefix" / "bin"}) {
        fs::create_directories(folder);
        std::ofstream(folder / marker) << "x";
        EXPECT_EQ(found(), folder);
    }
    EXPECT_EQ(platform::findDataDirectory("", marker), root / "elsewhere");
    fs::current_path(previous);
    fs::remove_all(root);
}
