// The settings file on disk: where it lives, read-or-keep semantics,
// write-back only on change, damaged and hostile files, locks, two writers.
#include "platform/settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

const std::string HEAD = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Zentrio\\Quadrimo]\n";

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::string(std::getenv("XDG_DATA_HOME")) + "/store-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/deeper";
        fs::remove_all(fs::path(folder_).parent_path());
        path_ = folder_ + "/settings.reg";
    }
    static std::string contents(const std::string& path) {
        std::stringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }
    // Puts text in the settings file, making its folder.
    void putFile(const std::string& text) const {
        fs::create_directories(folder_);
        std::ofstream(path_, std::ios::binary) << text;
    }
    std::unique_ptr<SettingsStore> openStore() const {
        long status = -1;
        return std::unique_ptr<SettingsStore>(SettingsStore::open(path_, status));
    }
    // What the damaged files moved aside hold, in order of their contents.
    std::vector<std::string> keptAside() const {
        std::vector<std::string> kept;
        for (const auto& entry : fs::directory_iterator(folder_))
            if (entry.path().extension().string().starts_with(".bad-")) kept.push_back(contents(entry.path()));
        std::sort(kept.begin(), kept.end());
        return kept;
    }
    ino_t inode() const {
        struct stat about {};
        EXPECT_EQ(stat(path_.c_str(), &about), 0);
        return about.st_ino;
    }

    std::string folder_;
    std::string path_;
};

// Root passes every permission check through two capabilities; taking them
// out of the effective set (they stay permitted, so the destructor can take
// them back) lets a test run as root see a folder's permissions as a player
// would.
struct FilePermissionsAsForAPlayer {
    FilePermissionsAsForAPlayer() {
        if (geteuid() != 0 || syscall(SYS_capget, &header, saved) != 0) return;
        __user_cap_data_struct reduced[2] = {saved[0], saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        dropped = syscall(SYS_capset, &header, reduced) == 0;
    }
    ~FilePermissionsAsForAPlayer() {
        if (dropped) syscall(SYS_capset, &header, saved);
    }
    bool failed() const { return geteuid() == 0 && !dropped; }

    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2]{};
    bool dropped = false;
};

}  // namespace

TEST_F(SettingsStoreTest, PathFollowsXdgDataHomeOnlyWhenAbsolute) {
    const std::string saved = std::getenv("XDG_DATA_HOME");
    const std::string savedHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    setenv("HOME", "/home/player", 1);
    const std::pair<const char*, const char*> cases[] = {
        {"/data/", "/data/Zentrio/Quadrimo/settings.reg"},
        {"relative/share", "/home/player/.local/share/Zentrio/Quadrimo/settings.reg"},
        {"", "/home/player/.local/share/Zentrio/Quadrimo/settings.reg"}};
    for (const auto& [base, path] : cases) {
        setenv("XDG_DATA_HOME", base, 1);
        EXPECT_EQ(SettingsStore::defaultPath(), path) << base;
    }
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
    setenv("HOME", savedHome.c_str(), 1);
}

// That values survive from one opening to the next, and that a missing,
// mistyped or too long value is not read, the application's and the
// high-score table's tests see through the store.
TEST_F(SettingsStoreTest, AStoreThatChangedNothingDoesNotRewriteTheFile) {
    const uint32_t score = 4000000000u;
    auto store = openStore();
    store->write("score0", SETTING_DWORD, &score, 4);
    EXPECT_EQ(store->close(), SETTINGS_OK);
    const ino_t before = inode();
    store = openStore();
    EXPECT_EQ(store->write("score0", SETTING_DWORD, &score, 4), SETTINGS_OK);
    EXPECT_EQ(store->close(), SETTINGS_OK);
    EXPECT_EQ(inode(), before) << "an unchanged store must not rewrite the file";
}

TEST_F(SettingsStoreTest, EveryFileNotFullyUnderstoodIsKeptUnderItsOwnNameAndOnlyTheLastFiveStay) {
    const uint8_t on = 1;
    std::vector<std::string> originals;
    for (int round = 0; round < 7; ++round) {
        originals.push_back("not a settings file, round " + std::to_string(round) + "\n\x01\x02");
        putFile(originals.back());
        auto store = openStore();
        EXPECT_FALSE(store->contains("hasSound"));
        EXPECT_EQ(store->close(), SETTINGS_OK);
        EXPECT_EQ(contents(path_), originals.back()) << "reading alone changes nothing";
        store = openStore();
        store->write("hasSound", SETTING_BINARY, &on, 1);
        EXPECT_EQ(store->close(), SETTINGS_OK);
        EXPECT_NE(contents(path_).find("\"hasSound\"=hex:01"), std::string::npos);
    }
    EXPECT_EQ(keptAside(), std::vector<std::string>(originals.end() - 5, originals.end())) << "the newest five, whole";
}

TEST_F(SettingsStoreTest, AWellFormedFileOfManyMegabytesIsReadAndKept) {
    const std::string longName(3 << 20, 'n');
    putFile(HEAD + "\"name9\"=\"" + longName + "\"\n\"score0\"=dword:00bc614e\n");
    auto store = openStore();
    uint32_t score = 0;
    EXPECT_EQ(store->read("score0", SETTING_DWORD, &score, 4), SETTINGS_OK);
    EXPECT_EQ(score, 12345678u);
    ++score;
    store->write("score0", SETTING_DWORD, &score, 4);
    EXPECT_EQ(store->close(), SETTINGS_OK);
    EXPECT_NE(contents(path_).find(longName + "\"\n\"score0\"=dword:00bc614f"), std::string::npos);
    EXPECT_TRUE(keptAside().empty()) << "nothing was damaged";
}

TEST_F(SettingsStoreTest, AnythingButARegularFileReadsAsMissingWithoutWaitingAndIsNeverCopied) {
    fs::create_directories(folder_);
    const uint8_t on = 1;
    const std::function<void()> makers[] = {
        [&] { ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0); },
        [&] { fs::create_symlink("/dev/zero", path_); },
        [&] { fs::create_directory(path_); },
    };
    for (const auto& make : makers) {
        fs::remove(path_);
        make();
        const auto start = std::chrono::steady_clock::now();
        auto store = openStore();
        EXPECT_FALSE(store->contains("hasSound"));
        store->write("hasSound", SETTING_BINARY, &on, 1);
        const long status = store->close();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        if (fs::is_directory(path_)) {
            EXPECT_EQ(status, SETTINGS_WRITE_FAULT) << "a folder cannot be replaced";
        } else {
            EXPECT_EQ(status, SETTINGS_OK);
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path_)));
        }
        EXPECT_TRUE(keptAside().empty());
    }
}

TEST_F(SettingsStoreTest, AFolderThePlayerCannotWriteShowsItsScoresAndWhatCannotBeStoredWaitsForTheNextClose) {
    putFile(HEAD + "\"score9\"=dword:00000007\n");
    chmod(folder_.c_str(), 0500);
    {
        const FilePermissionsAsForAPlayer player;
        if (player.failed()) GTEST_SKIP() << "running as root without the right to give up root's file rights";
        auto store = openStore();
        uint32_t score = 0;
        EXPECT_EQ(store->read("score9", SETTING_DWORD, &score, 4), SETTINGS_OK);
        EXPECT_EQ(score, 7u);
        EXPECT_FALSE(fs::exists(path_ + ".lock")) << "reading needs no lock and creates nothing";
        store->write("score9", SETTING_DWORD, &++score, 4);
        EXPECT_EQ(store->close(), SETTINGS_WRITE_FAULT);
        store = openStore();
        score = 0;
        EXPECT_EQ(store->read("score9", SETTING_DWORD, &score, 4), SETTINGS_OK);
        EXPECT_EQ(score, 8u) << "the unstored value is still this run's";
        EXPECT_NE(store->close(), SETTINGS_OK);
    }
    testing::internal::CaptureStderr();
    EXPECT_TRUE(SettingsStore::reportUnsaved(path_));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("settings could not be stored"), std::string::npos);

    chmod(folder_.c_str(), 0700);
    EXPECT_EQ(openStore()->close(), SETTINGS_OK) << "a later close stores it";
    EXPECT_NE(contents(path_).find("\"score9\"=dword:00000008"), std::string::npos);
    EXPECT_FALSE(SettingsStore::reportUnsaved(path_));
}

TEST_F(SettingsStoreTest, AHeldLockDelaysAWriteByAQuarterSecondAtMostAndAReadNotAtAll) {
    fs::create_directories(folder_);
    const int held = ::open((path_ + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    auto start = std::chrono::steady_clock::now();
    auto store = openStore();
    uint8_t sound = 1;
    store->read("hasSound", SETTING_BINARY, &sound, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    store->write("hasSound", SETTING_BINARY, &sound, 1);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(store->close(), SETTINGS_LOCK_TIMEOUT);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(200));
    EXPECT_LT(waited, std::chrono::milliseconds(600));
    EXPECT_FALSE(fs::exists(path_));
    ::close(held);
}

TEST_F(SettingsStoreTest, AChangeThatWaitedForTheLockIsNotStoredOverWhatAnotherProgramChangedSince) {
    const uint8_t off = 0;
    const uint32_t fallback = 4000;
    const uint32_t theirs = 123456;
    fs::create_directories(folder_);
    {
        const int held = ::open((path_ + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
        ASSERT_EQ(flock(held, LOCK_EX), 0);
        // A default made because the value was missing, then a plain choice.
        auto store = openStore();
        EXPECT_FALSE(store->contains("score9"));
        store->write("score9", SETTING_DWORD, &fallback, 4);
        EXPECT_EQ(store->close(0), SETTINGS_LOCK_TIMEOUT);
        store = openStore();
        store->write("hasSound", SETTING_BINARY, &off, 1);
        EXPECT_EQ(store->close(0), SETTINGS_LOCK_TIMEOUT);
        ::close(held);
    }
    // Meanwhile another copy of the game stores its score there.
    putFile(HEAD + "\"score9\"=dword:0001e240\n");
    auto store = openStore();
    uint32_t score = 0;
    EXPECT_EQ(store->read("score9", SETTING_DWORD, &score, 4), SETTINGS_OK);
    EXPECT_EQ(score, theirs) << "the kept default no longer holds";
    EXPECT_EQ(store->close(), SETTINGS_OK);
    EXPECT_EQ(contents(path_), HEAD + "\"hasSound\"=hex:00\n\"score9\"=dword:0001e240\n\n");
}

TEST_F(SettingsStoreTest, AnUnchangedFileIsReadOnceAndASaveWritesItOnce) {
    struct Counts {
        long long read = -1;
        long long written = -1;
    };
    const auto bytesSoFar = [] {
        Counts counts;
        std::ifstream io("/proc/self/io");
        for (std::string key; io >> key;) {
            if (key == "rchar:") io >> counts.read;
            if (key == "wchar:") io >> counts.written;
        }
        return counts;
    };
    if (bytesSoFar().read < 0) GTEST_SKIP() << "this kernel does not count a process's reads";
    std::string text = HEAD;
    for (int i = 0; text.size() < (size_t{2} << 20); ++i) text += "\"v" + std::to_string(i) + "\"=dword:00000001\n";
    putFile(text);
    const long long size = static_cast<long long>(text.size());
    uint8_t sound = 1;
    Counts before = bytesSoFar();
    for (int opening = 0; opening < 5; ++opening) {
        auto store = openStore();
        EXPECT_TRUE(store->contains("v1000"));
        EXPECT_EQ(store->close(), SETTINGS_OK);
    }
    Counts after = bytesSoFar();
    EXPECT_LT(after.read - before.read, 2 * size) << "five openings of an unchanged file read it once";

    before = after;
    auto store = openStore();
    store->write("hasSound", SETTING_BINARY, &sound, 1);
    EXPECT_EQ(store->close(), SETTINGS_OK);
    EXPECT_TRUE(openStore()->contains("hasSound"));
    after = bytesSoFar();
    EXPECT_LT(after.read - before.read, 2 * size) << "checked under the lock once, not read back after";
    EXPECT_GE(after.written - before.written, size);
    EXPECT_LT(after.written - before.written, 2 * size) << "written once";
}

TEST_F(SettingsStoreTest, NoFileGrowsPastTheLargestSizeReadAndALargerOneIsKeptAsideUnread) {
    const uint8_t on = 1;
    // Two bytes short of the largest size read.
    const std::string fill(MAX_SETTINGS_FILE_BYTES - HEAD.size() - 12, 'x');
    const std::string text = HEAD + "\"fill\"=\"" + fill + "\"\n";
    putFile(text);
    auto store = openStore();
    EXPECT_TRUE(store->contains("fill"));
    store->write("hasSound", SETTING_BINARY, &on, 1);
    EXPECT_EQ(store->close(), SETTINGS_WRITE_FAULT);
    EXPECT_EQ(contents(path_), text) << "the file the game still reads is left as it is";

    fs::resize_file(path_, MAX_SETTINGS_FILE_BYTES + 1);
    store = openStore();
    EXPECT_FALSE(store->contains("fill"));
    store->write("hasSound", SETTING_BINARY, &on, 1);
    EXPECT_EQ(store->close(), SETTINGS_OK);
    ASSERT_EQ(keptAside().size(), 1u);
    EXPECT_EQ(keptAside()[0].size(), MAX_SETTINGS_FILE_BYTES + 1) << "kept whole, never read";
    EXPECT_NE(contents(path_).find("\"hasSound\"=hex:01"), std::string::npos);
}

TEST_F(SettingsStoreTest, TemporariesOfAKilledSaveGoUnlessASaveIsUnderWay) {
    const std::string names[] = {".Ab12Cd", ".lock", ".bad-20260101-000000-000000000", ".old", ""};
    fs::create_directories(folder_);
    for (const std::string& name : names) std::ofstream(path_ + name) << "x";
    const int held = ::open((path_ + ".lock").c_str(), O_RDWR);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    SettingsStore::removeStaleTemporaries(path_);
    EXPECT_TRUE(fs::exists(path_ + ".Ab12Cd")) << "it may be another copy's save";
    ::close(held);
    SettingsStore::removeStaleTemporaries(path_);
    for (const std::string& name : names) EXPECT_EQ(fs::exists(path_ + name), name != ".Ab12Cd") << name;
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr uint32_t ROUNDS = 30;
    // Adds one to the total, again from a fresh reading while the other process changed it.
    const auto addOne = [this] {
        long status = SETTINGS_CHANGED_ELSEWHERE;
        for (int attempt = 0; attempt < 100 && status == SETTINGS_CHANGED_ELSEWHERE; ++attempt) {
            auto store = openStore();
            uint32_t total = 0;
            store->read("total", SETTING_DWORD, &total, 4);
            ++total;
            store->write("total", SETTING_DWORD, &total, 4);
            // A busy disk may keep the other's save longer than a player
            // would wait; this test is about losing nothing.
            status = store->close(10000);
        }
        return status == SETTINGS_OK;
    };
    pid_t workers[2];
    for (pid_t& worker : workers) {
        worker = fork();
        if (worker != 0) continue;
        for (uint32_t i = 0; i < ROUNDS; ++i)
            if (!addOne()) _exit(1);
        _exit(0);
    }
    for (const pid_t worker : workers) {
        int status = -1;
        waitpid(worker, &status, 0);
        EXPECT_EQ(status, 0);
    }
    uint32_t total = 0;
    openStore()->read("total", SETTING_DWORD, &total, 4);
    EXPECT_EQ(total, 2 * ROUNDS);
}
