// The settings file on disk: where it lives, read-or-keep semantics,
// write-back only on change, damaged and hostile files, locks, two writers.
#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
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

namespace {

const std::string HEAD = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Zentrio\\Quadrimo]\n";

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::string(std::getenv("XDG_DATA_HOME")) + "/store-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::system(("rm -rf '" + folder_ + "'").c_str());
        path_ = folder_ + "/deeper/settings.reg";
    }
    static std::string contents(const std::string& path) {
        std::stringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }
    std::unique_ptr<SettingsStore> openStore() {
        long status = -1;
        return std::unique_ptr<SettingsStore>(SettingsStore::open(path_, status));
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
class FilePermissionsAsForAPlayer {
public:
    FilePermissionsAsForAPlayer() {
        if (geteuid() != 0) return;
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        dropped_ = syscall(SYS_capset, &header_, reduced) == 0;
        failed_ = !dropped_;
    }
    ~FilePermissionsAsForAPlayer() {
        if (dropped_) syscall(SYS_capset, &header_, saved_);
    }
    bool failed() const { return failed_; }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool dropped_ = false;
    bool failed_ = false;
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

TEST_F(SettingsStoreTest, WritesBackOnlyWhatChangedAndReadsItAgain) {
    auto store = openStore();
    ASSERT_NE(store, nullptr);
    const uint32_t score = 4000000000u;
    EXPECT_EQ(store->write("score0", SETTING_DWORD, &score, 4), SETTINGS_OK);
    EXPECT_EQ(store->write("name0", SETTING_STRING, "Anonymous", 10), SETTINGS_OK);
    EXPECT_EQ(store->close(), SETTINGS_OK);
    EXPECT_NE(contents(path_).find("\"score0\"=dword:ee6b2800"), std::string::npos);

    const ino_t before = inode();
    store = openStore();
    ASSERT_NE(store, nullptr);
    uint32_t readScore = 0;
    EXPECT_EQ(store->read("SCORE0", SETTING_DWORD, &readScore, 4), SETTINGS_OK);
    EXPECT_EQ(readScore, score);
    char name[6] = "dflt";
    EXPECT_EQ(store->read("name0", SETTING_STRING, name, sizeof name), SETTINGS_MORE_DATA);
    EXPECT_STREQ(name, "dflt");
    EXPECT_EQ(store->read("name0", SETTING_DWORD, &readScore, 4), SETTINGS_WRONG_TYPE);
    EXPECT_EQ(store->read("missing", SETTING_DWORD, &readScore, 4), SETTINGS_NOT_FOUND);
    EXPECT_EQ(store->write("score0", SETTING_DWORD, &score, 4), SETTINGS_OK);
    EXPECT_EQ(store->close(), SETTINGS_OK);
    EXPECT_EQ(inode(), before) << "an unchanged store must not rewrite the file";
}

TEST_F(SettingsStoreTest, EveryFileNotFullyUnderstoodIsKeptUnderItsOwnNameAndOnlyTheLastFiveStay) {
    const uint8_t on = 1;
    std::vector<std::string> originals;
    for (int round = 0; round < 7; ++round) {
        ASSERT_TRUE(std::filesystem::create_directories(folder_ + "/deeper") || round > 0);
        originals.push_back("not a settings file, round " + std::to_string(round) + "\n\x01\x02");
        std::ofstream(path_, std::ios::binary) << originals.back();
        auto store = openStore();
        ASSERT_NE(store, nullptr);
        EXPECT_FALSE(store->contains("hasSound"));
        EXPECT_EQ(store->close(), SETTINGS_OK);
        EXPECT_EQ(contents(path_), originals.back()) << "reading alone changes nothing";
        store = openStore();
        store->write("hasSound", SETTING_BINARY, &on, 1);
        EXPECT_EQ(store->close(), SETTINGS_OK);
        EXPECT_NE(contents(path_).find("\"hasSound\"=hex:01"), std::string::npos);
    }
    std::vector<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(folder_ + "/deeper"))
        if (entry.path().filename().string().starts_with("settings.reg.bad-")) kept.push_back(contents(entry.path()));
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, std::vector<std::string>(originals.end() - 5, originals.end())) << "the newest five, each whole";
}

TEST_F(SettingsStoreTest, AWellFormedFileOfManyMegabytesIsReadAndKept) {
    std::filesystem::create_directories(folder_ + "/deeper");
    const std::string longName(3 << 20, 'n');
    std::ofstream(path_, std::ios::binary) << HEAD << "\"name9\"=\"" << longName << "\"\n\"score0\"=dword:00bc614e\n";
    auto store = openStore();
    uint32_t score = 0;
    EXPECT_EQ(store->read("score0", SETTING_DWORD, &score, 4), SETTINGS_OK);
    EXPECT_EQ(score, 12345678u);
    const uint32_t better = 12345679;
    store->write("score0", SETTING_DWORD, &better, 4);
    EXPECT_EQ(store->close(), SETTINGS_OK);
    EXPECT_NE(contents(path_).find(longName), std::string::npos);
    EXPECT_NE(contents(path_).find("dword:00bc614f"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path_ + ".bad")) << "nothing was damaged";
}

TEST_F(SettingsStoreTest, AnythingButARegularFileReadsAsMissingWithoutWaitingAndIsNeverCopied) {
    std::filesystem::create_directories(folder_ + "/deeper");
    const uint8_t on = 1;
    const std::function<void()> makers[] = {
        [&] { ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0); },
        [&] { std::filesystem::create_symlink("/dev/zero", path_); },
        [&] { std::filesystem::create_directory(path_); },
    };
    for (const auto& make : makers) {
        std::filesystem::remove(path_);
        make();
        const auto start = std::chrono::steady_clock::now();
        auto store = openStore();
        ASSERT_NE(store, nullptr);
        EXPECT_FALSE(store->contains("hasSound"));
        store->write("hasSound", SETTING_BINARY, &on, 1);
        const long status = store->close();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        if (std::filesystem::is_directory(path_)) {
            EXPECT_EQ(status, SETTINGS_WRITE_FAULT) << "a folder cannot be replaced";
        } else {
            EXPECT_EQ(status, SETTINGS_OK);
            EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(path_)));
        }
        for (const auto& entry : std::filesystem::directory_iterator(folder_ + "/deeper"))
            EXPECT_FALSE(entry.path().string().find(".bad") != std::string::npos) << entry.path();
    }
    std::filesystem::remove(path_);
}

TEST_F(SettingsStoreTest, ReadingNeedsNoLockAndWhatCannotBeStoredWaitsForTheNextClose) {
    // A lock file that cannot be opened stands for a folder the player may
    // not write to (a chmod 500 folder would not stop the root user).
    std::filesystem::create_directories(path_ + ".lock");
    std::ofstream(path_) << HEAD << "\"score9\"=dword:00000007\n";
    auto store = openStore();
    uint32_t score = 0;
    EXPECT_EQ(store->read("score9", SETTING_DWORD, &score, 4), SETTINGS_OK);
    EXPECT_EQ(score, 7u);
    score = 8;
    store->write("score9", SETTING_DWORD, &score, 4);
    EXPECT_EQ(store->close(), SETTINGS_WRITE_FAULT);
    store = openStore();
    EXPECT_EQ(store->read("score9", SETTING_DWORD, &score, 4), SETTINGS_OK);
    EXPECT_EQ(score, 8u) << "the unstored value is still this run's";
    EXPECT_NE(store->close(), SETTINGS_OK);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(SettingsStore::reportUnsaved(path_));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("high score could not be stored"), std::string::npos);

    std::filesystem::remove(path_ + ".lock");
    EXPECT_EQ(openStore()->close(), SETTINGS_OK) << "a later close stores it";
    EXPECT_NE(contents(path_).find("\"score9\"=dword:00000008"), std::string::npos);
    EXPECT_FALSE(SettingsStore::reportUnsaved(path_));
}

TEST_F(SettingsStoreTest, AFolderThePlayerCannotWriteStillShowsItsScores) {
    std::filesystem::create_directories(folder_ + "/deeper");
    std::ofstream(path_) << HEAD << "\"score9\"=dword:00000007\n";
    chmod((folder_ + "/deeper").c_str(), 0500);
    const FilePermissionsAsForAPlayer player;
    if (player.failed()) GTEST_SKIP() << "running as root without the right to give up root's file rights";
    auto store = openStore();
    uint32_t score = 0;
    EXPECT_EQ(store->read("score9", SETTING_DWORD, &score, 4), SETTINGS_OK);
    EXPECT_EQ(score, 7u);
    EXPECT_FALSE(std::filesystem::exists(path_ + ".lock")) << "reading creates nothing";
    store->write("score9", SETTING_DWORD, &++score, 4);
    EXPECT_EQ(store->close(), SETTINGS_WRITE_FAULT);
    chmod((folder_ + "/deeper").c_str(), 0700);
}

TEST_F(SettingsStoreTest, AHeldLockDelaysAWriteByAQuarterSecondAtMostAndAReadNotAtAll) {
    std::filesystem::create_directories(folder_ + "/deeper");
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
    EXPECT_FALSE(std::filesystem::exists(path_));
    flock(held, LOCK_UN);
    ::close(held);
    EXPECT_EQ(openStore()->close(), SETTINGS_OK);
    EXPECT_NE(contents(path_).find("\"hasSound\"=hex:01"), std::string::npos);
}

TEST_F(SettingsStoreTest, TemporariesOfAKilledSaveGoUnlessASaveIsUnderWay) {
    std::filesystem::create_directories(folder_ + "/deeper");
    const std::string names[] = {".Ab12Cd", ".lock", ".bad-20260101-000000-000000000", ".old", ""};
    for (const std::string& name : names) std::ofstream(path_ + name) << "x";
    const int held = ::open((path_ + ".lock").c_str(), O_RDWR);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    SettingsStore::removeStaleTemporaries(path_);
    EXPECT_TRUE(std::filesystem::exists(path_ + ".Ab12Cd")) << "it may be another copy's save";
    flock(held, LOCK_UN);
    ::close(held);
    SettingsStore::removeStaleTemporaries(path_);
    for (const std::string& name : names)
        EXPECT_EQ(std::filesystem::exists(path_ + name), name != ".Ab12Cd") << name;
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr uint32_t ROUNDS = 30;
    pid_t workers[2];
    for (pid_t& worker : workers) {
        worker = fork();
        if (worker != 0) continue;
        for (uint32_t i = 0; i < ROUNDS; ++i) {
            long status = SETTINGS_CHANGED_ELSEWHERE;
            for (int attempt = 0; attempt < 100 && status == SETTINGS_CHANGED_ELSEWHERE; ++attempt) {
                auto store = openStore();
                if (store == nullptr) _exit(1);
                uint32_t total = 0;
                store->read("total", SETTING_DWORD, &total, 4);
                ++total;
                store->write("total", SETTING_DWORD, &total, 4);
                // A busy disk may keep the other's save longer than a
                // player would wait; this test is about losing nothing.
                status = store->close(10000);
            }
            if (status != SETTINGS_OK) _exit(2);
        }
        _exit(0);
    }
    for (const pid_t& worker : workers) {
        int status = -1;
        waitpid(worker, &status, 0);
        EXPECT_EQ(status, 0);
    }
    auto store = openStore();
    ASSERT_NE(store, nullptr);
    uint32_t total = 0;
    store->read("total", SETTING_DWORD, &total, 4);
    EXPECT_EQ(total, 2 * ROUNDS);
}
