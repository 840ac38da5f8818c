// Finding the data folder of a program started from somewhere else.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/data_directory.h"

namespace fs = std::filesystem;

namespace {

class DataDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("quadrimo-data-" + std::to_string(::getpid()));
        fs::create_directories(root_ / "elsewhere");
        previous_ = fs::current_path();
        fs::current_path(root_ / "elsewhere");
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }
    void touch(const fs::path& file) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "x";
    }
    // A marker no real installation holds, so the configured folder never answers.
    const char* marker_ = "quadrimo-data-directory-test.marker";
    fs::path root_;
    fs::path previous_;
};

}  // namespace

TEST_F(DataDirectory, PrefersTheWorkingDirectoryThenTheProgramFolderThenTheInstalledTree) {
    const std::string program = (root_ / "prefix" / "bin" / "quadrimo").string();
    EXPECT_EQ(platform::findDataDirectory(program, marker_), "");

    touch(root_ / "prefix" / "share" / "quadrimo" / marker_);
    EXPECT_EQ(fs::path(platform::findDataDirectory(program, marker_)), root_ / "prefix" / "share" / "quadrimo");

    touch(root_ / "prefix" / "bin" / marker_);
    EXPECT_EQ(fs::path(platform::findDataDirectory(program, marker_)), root_ / "prefix" / "bin");

    touch(root_ / "elsewhere" / marker_);
    EXPECT_EQ(fs::path(platform::findDataDirectory(program, marker_)), root_ / "elsewhere");
}

TEST_F(DataDirectory, AFolderNamedLikeTheMarkerOrAnUnknownProgramFindsNothing) {
    fs::create_directories(root_ / "prefix" / "share" / "quadrimo" / marker_);
    EXPECT_EQ(platform::findDataDirectory((root_ / "prefix" / "bin" / "quadrimo").string(), marker_), "");
    EXPECT_EQ(platform::findDataDirectory("", marker_), "");
}
