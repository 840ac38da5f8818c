// The settings file on disk: where it lives, read-or-keep semantics,
// write-back only on change, damaged files kept, two writers at once.
#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

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

TEST_F(SettingsStoreTest, AFileNotFullyUnderstoodIsKeptBeforeItIsReplacedAndOneUnreadableIsNeverReplaced) {
    ASSERT_NE(openStore(), nullptr);
    const std::string original = "not a settings file at all\n\x01\x02";
    std::ofstream(path_, std::ios::binary) << original;
    auto store = openStore();
    ASSERT_NE(store, nullptr);
    EXPECT_FALSE(store->contains("hasSound"));
    store->close();
    EXPECT_EQ(contents(path_), original) << "reading alone changes nothing";
    EXPECT_NE(access((path_ + ".bad").c_str(), F_OK), 0);

    store = openStore();
    const uint8_t on = 1;
    store->write("hasSound", SETTING_BINARY, &on, 1);
    EXPECT_EQ(store->close(), SETTINGS_OK);
    EXPECT_EQ(contents(path_ + ".bad"), original);
    EXPECT_NE(contents(path_).find("\"hasSound\"=hex:01"), std::string::npos);

    store.reset();
    std::remove(path_.c_str());
    ASSERT_EQ(mkdir(path_.c_str(), 0700), 0);
    long status = SETTINGS_OK;
    EXPECT_EQ(SettingsStore::open(path_, status), nullptr);
    EXPECT_NE(status, SETTINGS_OK);
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr uint32_t ROUNDS = 30;
    pid_t workers[2];
    for (pid_t& worker : workers) {
        worker = fork();
        if (worker != 0) continue;
        for (uint32_t i = 0; i < ROUNDS; ++i) {
            auto store = openStore();
            if (store == nullptr) _exit(1);
            uint32_t total = 0;
            store->read("total", SETTING_DWORD, &total, 4);
            ++total;
            store->write("total", SETTING_DWORD, &total, 4);
            if (store->close() != SETTINGS_OK) _exit(2);
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
