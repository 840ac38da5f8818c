// What decides full screen or a window at start and what is kept at exit:
// the command line, the stored choice, the remembered window size and sound
// switch, and the size a window takes on a desktop.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/application.h"
#include "app/command_line.h"
#include "app/entry.h"
#include "platform/desktop/message_box.h"
#include "platform/window/window.h"
#include "support/test_application.h"

namespace {

// Each test on a store of its own, written as the player's file would be.
class StoredChoice : public ::testing::Test {
protected:
    void SetUp() override {
        saved = std::getenv("XDG_DATA_HOME");
        folder = saved + "/window-choice";
        std::filesystem::remove_all(folder);
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
    }
    void TearDown() override { setenv("XDG_DATA_HOME", saved.c_str(), 1); }

    std::filesystem::path file() const { return std::filesystem::path(folder) / "Zentrio/Quadrimo/settings.reg"; }
    void store(const std::string& values) {
        std::filesystem::create_directories(file().parent_path());
        std::ofstream(file()) << "Windows Registry Editor Version 5.00\n\n"
                                 "[HKEY_CURRENT_USER\\Software\\Zentrio\\Quadrimo]\n"
                              << values;
    }
    std::string stored() const {
        std::ostringstream text;
        text << std::ifstream(file()).rdbuf();
        return text.str();
    }

    std::string saved;
    std::string folder;
};

// The stored window size, as the program writes it.
std::string storedSize(uint32_t width, uint32_t height) {
    char text[64];
    std::snprintf(text, sizeof text, "\"windowWidth\"=dword:%08x\n\"windowHeight\"=dword:%08x\n", width, height);
    return text;
}

std::pair<int, int> windowSize() {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(static_cast<SDL_Window*>(theApplication->window->nativeHandle()), &width, &height);
    return {width, height};
}

}  // namespace

TEST(CommandLine, OptionsChooseTheModeHelpListsTheKeysAndAnythingElseIsAUsageError) {
    const std::tuple<std::vector<const char*>, bool, int, std::optional<bool>> cases[] = {
        {{}, true, 0, std::nullopt},
        {{"--windowed"}, true, 0, false},
        {{"--fullscreen"}, true, 0, true},
        {{"--fullscreen", "--windowed"}, true, 0, false},
        {{"--classic-motion", "--windowed", "--frame-stats"}, true, 0, false},
        {{"--help"}, false, 0, std::nullopt},
        {{"--windowed", "-x"}, false, 2, std::nullopt},
        {{"windowed"}, false, 2, std::nullopt},
        {{""}, false, 2, std::nullopt}};
    for (const auto& [arguments, start, exitCode, fullScreen] : cases) {
        std::vector<const char*> argv{"quadrimo"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const CommandLine line = parseCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(std::tuple(line.start, line.exitCode, line.fullScreen), std::tuple(start, exitCode, fullScreen))
            << (arguments.empty() ? "(none)" : arguments.back());
        EXPECT_EQ(line.error.find("Usage: quadrimo") != std::string::npos, exitCode != 0) << line.error;
        const bool motionOptions = arguments.size() == 3;
        EXPECT_EQ(std::pair(line.classicMotion, line.frameStats), std::pair(motionOptions, motionOptions));
    }
    const std::string help = parseCommandLine(2, std::vector<const char*>{"quadrimo", "--help"}.data()).output;
    for (const char* listed : {"--windowed", "--fullscreen", "--classic-motion", "\"smoothMotion\"=0", "--frame-stats",
                               "Arrow keys", "Z / X", "Space", "P, Pause, Escape", "Enter", "F11, Alt+Enter", "Ctrl+Q",
                               "Ctrl+W", "D-pad", "Start", "Back"}) {
        EXPECT_NE(help.find(listed), std::string::npos) << listed;
    }
}

TEST_F(StoredChoice, TheOptionThenTheStoredChoiceThenFullScreenDecideTheStart) {
    // A value that is not one byte reads as if nothing was stored.
    const std::tuple<const char*, std::optional<bool>, bool> cases[] = {
        {"", std::nullopt, true},
        {"\"fullScreen\"=hex:00\n", std::nullopt, false},
        {"\"fullScreen\"=hex:01\n", false, false},
        {"\"fullScreen\"=hex:00\n", true, true},
        {"\"fullScreen\"=hex:05\n", std::nullopt, true},
        {"\"fullScreen\"=dword:00000000\n", std::nullopt, true}};
    // A refused window ends the start early, with the mode already chosen.
    platform::setErrorMessageHandler([](const char*, const char*) {});
    const auto startedFullScreen = [](const auto& start) {
        platform::Window::refuseCreations(1);
        EXPECT_EQ(start(), 1);
        const bool fullScreen = theApplication->fullScreen;
        delete theApplication;
        theApplication = nullptr;
        return fullScreen;
    };
    for (const auto& [values, option, fullScreen] : cases) {
        store(values);
        EXPECT_EQ(startedFullScreen([&] { return runProgram(nullptr, 0, option); }), fullScreen) << values;
    }
    // The entry without the player's choice starts full screen whatever is stored.
    store("\"fullScreen\"=hex:00\n");
    EXPECT_TRUE(startedFullScreen([] { return runProgram(nullptr, 0); }));
    platform::setErrorMessageHandler(nullptr);
}

TEST_F(StoredChoice, TheSoundSwitchTheModeAndTheWindowSizeAreReadAtStartAndKeptAtExit) {
    store("\"hasSound\"=hex:00\n" + storedSize(960, 700));
    {
        TestApplication test;
        EXPECT_FALSE(test.app().hasSound);
        EXPECT_EQ(windowSize(), std::make_pair(960, 700));
        char name[6] = "Anon";
        EXPECT_NE(test.app().readStringSetting("name0", name, sizeof name), 0) << "reads need an open store";
        test.app().switchFullScreen();
        EXPECT_TRUE(test.app().fullScreen);
    }
    EXPECT_TRUE(readFullScreenChoice());
    const std::string kept = stored();
    for (const char* value : {"\"hasSound\"=hex:00\n", "\"fullScreen\"=hex:01\n", "\"windowWidth\"=dword:000003c0\n",
                              "\"windowHeight\"=dword:000002bc\n"})
        EXPECT_NE(kept.find(value), std::string::npos) << value << " in\n" << kept;

    // The test desktop is 1024 x 768: of these only the picture's own size
    // fits it. 1000 x 750 would, but not with a title bar above it.
    const uint32_t sizes[][2] = {{200, 200}, {1280, 720}, {1000, 750}, {0xFFFFFCE0u, 0xFFFFFDA8u}, {70000, 70000}};
    for (const auto& [width, height] : sizes) {
        store(storedSize(width, height));
        TestApplication test;
        EXPECT_EQ(windowSize(), std::make_pair(800, 600)) << width << " x " << height;
    }
}

TEST_F(StoredChoice, SmoothMotionIsOnUnlessTheStoredDwordIsZero) {
    const std::pair<const char*, bool> cases[] = {{"\"smoothMotion\"=dword:00000000\n", false},
                                                  {"\"smoothMotion\"=dword:00000002\n", true},
                                                  {"\"smoothMotion\"=hex:00\n", true},
                                                  {"", true}};
    for (const auto& [values, smooth] : cases) {
        store(values);
        TestApplication test;
        EXPECT_EQ(readSmoothMotionChoice(test.app()), smooth) << values;
    }
    // The missing value was stored, so that players find what to change.
    EXPECT_NE(stored().find("\"smoothMotion\"=dword:00000001\n"), std::string::npos) << stored();
}

TEST(WindowSize, TheLargestWholeMultipleOfThePictureWithinNinetyPercentOfTheDesktop) {
    const int cases[][4] = {{1366, 738, 800, 600},   {1920, 1050, 800, 600},   {2560, 1400, 1600, 1200},
                            {1800, 1400, 1600, 1200}, {3840, 2120, 2400, 1800}, {640, 480, 800, 600},
                            {0, 0, 800, 600}};
    for (const auto& [usableWidth, usableHeight, expectedWidth, expectedHeight] : cases) {
        int width = 800;
        int height = 600;
        platform::fitWindowSize(usableWidth, usableHeight, width, height);
        EXPECT_EQ(std::make_pair(width, height), std::make_pair(expectedWidth, expectedHeight)) << usableWidth;
    }
}
