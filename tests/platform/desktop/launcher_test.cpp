// Starting other programs: found on the PATH, started without a shell and
// without waiting, reaped when they end; and the help viewer looked up once.
#include "platform/desktop/launcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/application.h"
#include "platform/loop/clock.h"
#include "platform/desktop/help_viewer.h"

using namespace platform;

namespace {

// Asks again every 10 ms, for two seconds at most, whether something has happened.
bool eventually(const std::function<bool()>& happened) {
    for (int wait = 0; wait < 200; ++wait) {
        if (happened()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return happened();
}

// A folder of stand-in programs that log how they were called, put alone on the PATH.
class FakeProgramsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::string(std::getenv("XDG_DATA_HOME")) + "/bin-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::system(("rm -rf '" + folder_ + "'").c_str());
        mkdir(folder_.c_str(), 0700);
        savedPath_ = std::getenv("PATH");
        setenv("PATH", ("relative:" + folder_).c_str(), 1);
    }
    void TearDown() override { setenv("PATH", savedPath_.c_str(), 1); }

    // A program that logs its arguments, one call a line, to log-NAME. The
    // line is appended in one write, since detached copies may run at once.
    std::string addProgram(const std::string& name, const std::string& extra = "") {
        const std::string path = folder_ + "/" + name;
        std::ofstream(path) << "#!/bin/sh\n" << extra << "\nline=$(printf '%s|' \"$@\")\nprintf '%s\\n' \"$line\" >> '"
                            << folder_ << "/log-" << name << "'\n";
        chmod(path.c_str(), 0755);
        return path;
    }

    // The calls logged by a program, waiting a little for detached ones.
    std::string calls(const std::string& name, size_t expected = 1) {
        std::string text;
        eventually([&] {
            std::stringstream all;
            all << std::ifstream(folder_ + "/log-" + name).rdbuf();
            text = all.str();
            return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) >= expected;
        });
        return text;
    }

    std::string folder_;
    std::string savedPath_;
};

}  // namespace

TEST_F(FakeProgramsTest, ProgramsFoundOnThePathGetTheirArgumentsAsTheyAreAndLeaveNoZombie) {
    const std::string program = addProgram("slow", "/bin/sleep 0.3");
    EXPECT_EQ(Launcher::findOnPath("slow"), program);
    EXPECT_EQ(Launcher::findOnPath("../bin-ProgramsFoundOnThePathGetTheirArgumentsAsTheyAreAndLeaveNoZombie/slow"), "");
    std::ofstream(folder_ + "/plain") << "not a program";
    EXPECT_EQ(Launcher::findOnPath("plain"), "");
    pid_t child = 0;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(Launcher::startDetached({program, "Quadrimo help.chm", "$(touch x); echo"}, &child));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250)) << "must not wait";
    EXPECT_EQ(calls("slow"), "Quadrimo help.chm|$(touch x); echo|\n");
    EXPECT_TRUE(eventually([&] { return access(("/proc/" + std::to_string(child)).c_str(), F_OK) != 0; }))
        << "the ended program must be reaped";
    EXPECT_FALSE(Launcher::startDetached({folder_ + "/missing"}));
    EXPECT_FALSE(Launcher::startDetached({}));
}

// That a query's output arrives, the help viewer's test sees through xdg-mime.
TEST_F(FakeProgramsTest, AStuckQueryIsCutOffWithWhatItStarted) {
    std::string output;
    const std::string started = folder_ + "/started";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Launcher::runForOutput(
        {addProgram("stuck", "/bin/sleep 10 & echo $! > '" + started + "'; wait")}, 200, output));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    std::string grandchild;
    std::ifstream(started) >> grandchild;
    ASSERT_FALSE(grandchild.empty());
    EXPECT_TRUE(eventually([&] {
        std::string state;
        std::getline(std::ifstream("/proc/" + grandchild + "/stat"), state);
        return state.empty() || state.find(") Z") != std::string::npos;
    })) << "the program the query started still runs";
}

TEST_F(FakeProgramsTest, QuickClicksStartOneBrowserPerSecond) {
    struct SetClock : platform::Clock {
        uint32_t now = 0x40000000;
        uint32_t milliseconds() override { return now; }
    } clock;
    platform::Clock::replace(&clock);
    addProgram("xdg-open");
    for (int click = 0; click < 20; ++click) openWebPage("https://example.org/");
    clock.now += 999;
    openWebPage("https://example.org/");
    clock.now += 1;
    openWebPage("https://example.org/");
    platform::Clock::replace(nullptr);
    // The two run at once, so their lines may come in either order: they are alike.
    EXPECT_EQ(calls("xdg-open", 2), "https://example.org/|\nhttps://example.org/|\n");
}

TEST_F(FakeProgramsTest, HelpViewerIsLookedUpOnceAndWithoutOneTheHtmlHelpOpens) {
    const std::string chm = folder_ + "/Quadrimo help.chm";
    const std::string html = folder_ + "/index.html";
    std::ofstream(chm) << "help";
    std::ofstream(html) << "<p>help</p>";
    EXPECT_FALSE(HelpViewer().show(chm, html)) << "nothing to show it with";
    addProgram("xdg-open");
    HelpViewer browserOnly;
    EXPECT_TRUE(browserOnly.show(chm, html));
    addProgram("kchmviewer");
    EXPECT_TRUE(browserOnly.show(chm, html));
    EXPECT_EQ(browserOnly.lookups(), 1);
    EXPECT_EQ(calls("xdg-open", 2), html + "|\n" + html + "|\n") << "a viewer installed later is not looked for";

    addProgram("xdg-mime");
    HelpViewer viewer;
    EXPECT_TRUE(viewer.show(chm, html));
    EXPECT_TRUE(viewer.show(chm, html));
    EXPECT_EQ(viewer.lookups(), 1);
    EXPECT_EQ(calls("kchmviewer", 2), chm + "|\n" + chm + "|\n");
    EXPECT_EQ(calls("xdg-mime"), "query|default|application/vnd.ms-htmlhelp|\n");
    // With the desktop naming a default viewer, xdg-open hands the file to it.
    addProgram("xdg-mime", "echo chmsee.desktop");
    EXPECT_TRUE(HelpViewer().show(chm, html));
    EXPECT_EQ(calls("xdg-open", 3), html + "|\n" + html + "|\n" + chm + "|\n");
}

TEST_F(FakeProgramsTest, WithoutAViewerTheFirstBrowserThatTakesTheHelpShowsItAndStandardErrorSaysWhatWasTried) {
    const std::string html = folder_ + "/index.html";
    std::ofstream(html) << "<p>help</p>";
    // Standard error goes to a file while the browsers are tried in a thread of their own.
    const std::string errors = folder_ + "/stderr";
    std::fflush(stderr);
    const int savedError = dup(STDERR_FILENO);
    const int errorFile = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(errorFile, STDERR_FILENO);
    close(errorFile);
    const auto said = [&](const std::function<void()>& press) {
        std::ofstream(errors, std::ios::trunc).flush();
        press();
        std::string text;
        eventually([&] {
            std::stringstream all;
            all << std::ifstream(errors).rdbuf();
            text = all.str();
            return text.find('\n') != std::string::npos;
        });
        return text;
    };

    const std::string nothing = said([&] { EXPECT_FALSE(HelpViewer().show("none.chm", html)); });
    EXPECT_NE(nothing.find("cannot be shown"), std::string::npos) << nothing;
    EXPECT_NE(nothing.find("xchm, kchmviewer"), std::string::npos) << nothing;
    EXPECT_NE(nothing.find("xdg-open, sensible-browser, x-www-browser, firefox"), std::string::npos) << nothing;

    // Debian's chooser finds no browser and says so with its status; the next one takes the page.
    addProgram("sensible-browser", "exit 1");
    addProgram("firefox");
    const std::string opened = said([&] { EXPECT_TRUE(HelpViewer().show("none.chm", html)); });
    EXPECT_EQ(calls("firefox"), html + "|\n");
    EXPECT_NE(opened.find("opens with firefox (sensible-browser failed)"), std::string::npos) << opened;

    chmod((folder_ + "/firefox").c_str(), 0644);
    const std::string failed = said([&] { EXPECT_TRUE(HelpViewer().show("none.chm", html)); });
    EXPECT_NE(failed.find("no browser opened " + html + " (sensible-browser failed; not installed: xdg-open, "),
              std::string::npos) << failed;
    dup2(savedError, STDERR_FILENO);
    close(savedError);
}
