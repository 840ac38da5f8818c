// Game files that are not what they claim: FIFOs and devices in place of
// pictures and sounds, sparse sounds claiming hundreds of megabytes, an icon
// declaring millions of pixels, and the one line each of them earns.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "media/sound.h"
#include "platform/files/bitmap_loader.h"
#include "platform/files/file_reader.h"
#include "platform/reports/file_report.h"
#include "platform/window/sdl_window.h"
#include "support/bitmap_writer.h"
#include "support/wave_builder.h"

namespace fs = std::filesystem;

namespace {

class HostileFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::path(std::getenv("XDG_DATA_HOME")) /
                  ("hostile-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    std::string at(const std::string& name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

// A run-length bitmap that declares width x height pixels and holds only
// its end mark.
std::string declaredBitmap(int width, int height) {
    const bmptest::Layout rle8{.bitsPerPixel = 8, .packing = bmptest::Packing::RunLength, .palette = {0}};
    bmptest::Bytes file = bmptest::writeBitmap({1, 1, {0}}, rle8);
    bmptest::put32(file, bmptest::WIDTH_AT, static_cast<uint32_t>(width));
    bmptest::put32(file, bmptest::HEIGHT_AT, static_cast<uint32_t>(height));
    return std::string(file.begin(), file.end());
}

}  // namespace

TEST_F(HostileFilesTest, FifosAndDevicesReadAsMissingWithoutWaiting) {
    ASSERT_EQ(mkfifo(at("blocks.bmp").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(at("music.wav").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", at("zero.bmp"));
    const auto start = std::chrono::steady_clock::now();
    std::vector<uint8_t> bytes;
    for (const char* name : {"blocks.bmp", "music.wav", "zero.bmp"}) {
        EXPECT_FALSE(platform::readWholeFile(at(name).c_str(), 1 << 20, bytes)) << name;
        EXPECT_LT(platform::openRegularFile(at(name).c_str()), 0) << name;
        EXPECT_EQ(errno, EINVAL) << name;
    }
    EXPECT_LT(platform::openRegularFile(at("absent.wav").c_str()), 0);
    EXPECT_EQ(errno, ENOENT);
    const Sound music(at("music.wav").c_str(), true, 2);
    EXPECT_EQ(music.bufferSize, 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << "nothing may wait for a writer";
}

TEST_F(HostileFilesTest, AWholeSoundTooLongToHoldIsRefusedBeforeAnyAllocationAndAStreamIsNot) {
    const uint32_t claimed = 250u << 20;
    wavetest::Bytes header = wavetest::riff({wavetest::chunk("fmt ", wavetest::formatBody(1, 22050, 16))});
    const wavetest::Bytes data = wavetest::chunk("data", {}, claimed);
    header.insert(header.end(), data.begin(), data.end());
    const std::string sparse = wavetest::writeFile("sparse.wav", header);
    ASSERT_EQ(truncate(sparse.c_str(), static_cast<off_t>(header.size() + claimed)), 0);
    const std::pair<uint32_t, bool> cases[] = {
        {22050 * 2 * 30, true},       // 30 s: the longest effect held whole
        {22050 * 2 * 30 + 2, false},  // a sample frame longer
    };
    for (const auto& [bytes, accepted] : cases) {
        const std::string file = wavetest::writeFile("long.wav", wavetest::simpleWave(wavetest::Bytes(bytes)));
        EXPECT_EQ(Sound(file.c_str(), false, 2).bufferSize, accepted ? bytes : 0u) << bytes;
    }
    const auto start = std::chrono::steady_clock::now();
    const Sound effect(sparse.c_str(), false, 2);
    EXPECT_EQ(effect.channels, 0u);
    EXPECT_EQ(effect.bufferSize, 0u);
    const Sound music(sparse.c_str(), true, 2);
    EXPECT_EQ(music.bufferSize, 88200u) << "a stream holds two seconds, however long its file";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    fs::remove(sparse);
}

TEST_F(HostileFilesTest, IconsLargerThanAnXServerTakesAreScaledDownWithTheirShapeKept) {
    const std::pair<std::pair<int, int>, std::pair<int, int>> cases[] = {
        {{2048, 2048}, {256, 256}},
        {{1024, 64}, {256, 16}},
        {{256, 200}, {256, 200}},
    };
    for (const auto& [declared, expected] : cases) {
        std::ofstream(at("icon.bmp"), std::ios::binary) << declaredBitmap(declared.first, declared.second);
        platform::DecodedBitmap icon;
        ASSERT_TRUE(platform::loadIconFile(at("icon.bmp").c_str(), icon)) << declared.first;
        EXPECT_EQ(std::make_pair(icon.width, icon.height), expected);
        EXPECT_EQ(icon.pixels.size(), static_cast<size_t>(expected.first) * expected.second);
    }
    ASSERT_EQ(mkfifo(at("fifo.bmp").c_str(), 0600), 0);
    platform::DecodedBitmap icon;
    EXPECT_FALSE(platform::loadIconFile(at("fifo.bmp").c_str(), icon));
}

TEST_F(HostileFilesTest, EachMissingOrRefusedFileIsNamedOnceWithTheFolderSearched) {
    std::ofstream(at("broken.bmp")) << "BM";
    const fs::path previous = fs::current_path();
    fs::current_path(folder_);
    testing::internal::CaptureStderr();
    platform::reportUnusableFile("picture", "gone.bmp");
    platform::reportUnusableFile("picture", "gone.bmp");
    platform::reportUnusableFile("picture", "broken.bmp");
    platform::reportUnusableFile("sound", "huge.wav", "too long");
    const std::string said = testing::internal::GetCapturedStderr();
    fs::current_path(previous);
    const std::string where = folder_.string();
    EXPECT_EQ(said, "quadrimo: picture \"gone.bmp\" not found in " + where + "\n" +
                        "quadrimo: picture \"broken.bmp\" in " + where + " not used: it cannot be read or is damaged\n" +
                        "quadrimo: sound \"huge.wav\" in " + where + " not used: too long\n");
}

TEST_F(HostileFilesTest, ADamagedWindowIconIsRefusedWithTheSameLine) {
    std::ofstream(at("damaged-icon.bmp")) << "BM not a bitmap";
    platform::WindowOptions options;
    options.fullScreen = false;
    options.iconFile = "damaged-icon.bmp";
    const fs::path previous = fs::current_path();
    fs::current_path(folder_);
    testing::internal::CaptureStderr();
    { const platform::SdlWindow window(options); }
    const std::string said = testing::internal::GetCapturedStderr();
    fs::current_path(previous);
    EXPECT_NE(said.find("quadrimo: icon \"damaged-icon.bmp\" in " + folder_.string() +
                        " not used: it cannot be read or is damaged\n"),
              std::string::npos)
        << said;
}
