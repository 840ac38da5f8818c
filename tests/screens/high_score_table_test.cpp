// The stored high-score list: defaults, qualification, insertion, reset,
// hand-edited values, and scores that had to wait for the store.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/settings/settings_store.h"
#include "screen_test_support.h"
#include "screens/game_over_screen.h"
#include "screens/high_score_table.h"

using namespace screen_test;

namespace {

class HighScoreTableTest : public ::testing::Test {
protected:
    void SetUp() override { clearStore(); }
    struct Row {
        int row;
        std::string name;
        uint32_t score;
    };
    void expectStored(const std::vector<Row>& rows) {
        for (const Row& r : rows) EXPECT_EQ(storedRow(r.row), std::make_pair(r.name, r.score)) << "row " << r.row;
    }
    // Holds the settings lock as another program would, until released.
    struct HeldLock {
        HeldLock() {
            const std::string path = platform::SettingsStore::defaultPath();
            std::filesystem::create_directories(std::filesystem::path(path).parent_path());
            fd = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
            EXPECT_EQ(flock(fd, LOCK_EX), 0);
        }
        ~HeldLock() { ::close(fd); }
        int fd = -1;
    };
    TestApplication application;
    HighScoreTable table;
};

}  // namespace

TEST_F(HighScoreTableTest, QualificationIsStrictAndStoresTheNamedDefaults) {
    EXPECT_FALSE(table.qualifies(4000));
    EXPECT_TRUE(table.qualifies(4001));
    expectStored({{0, "Quimbo", 1000000}, {3, "Roven", 100000}, {6, "Pimla", 10000}, {9, "Pimla", 4000}});
    // Once stored, the values win over the other set of defaults.
    table.load(HighScoreDefaults::Anonymous);
    EXPECT_STREQ(table.getName(9), "Pimla");
}

TEST_F(HighScoreTableTest, InsertionGoesBelowEqualScoresAndKeepsNamesAsTyped) {
    ASSERT_TRUE(table.qualifies(80000));
    table.insert("Newcomer", 80000);
    expectStored({{4, "Roven", 80000}, {5, "Newcomer", 80000}, {6, "Roven", 60000}, {9, "Pimla", 6000}});

    // Between rows 8 and 9 only row 9 changes; an empty name stays empty.
    ASSERT_TRUE(table.qualifies(7000));
    table.insert("", 7000);
    expectStored({{8, "Pimla", 8000}, {9, "", 7000}});

    ASSERT_TRUE(table.qualifies(2000000));
    table.insert(std::string(300, 'x').c_str(), 2000000);
    expectStored({{0, std::string(255, 'x'), 2000000}, {1, "Quimbo", 1000000}, {9, "Pimla", 8000}});

    // The rule alone decides an insert made at once: a score no higher than
    // row 9 still lands there, as the insertion steps say.
    table.insert("Late", 8000);
    expectStored({{8, "Pimla", 10000}, {9, "Late", 8000}});
}

TEST_F(HighScoreTableTest, HandEditedValuesFallBackToTheirDefaults) {
    const uint32_t number = 12345;
    theApplication->openSettings();
    theApplication->writeStringSetting("name0", std::string(1000, 'L').c_str());
    theApplication->writeStringSetting("name1", std::string(255, 'E').c_str());
    theApplication->writeDwordSetting("name2", &number, sizeof number);
    theApplication->writeStringSetting("score3", "12");
    theApplication->writeBinarySetting("score4", "\x01\x02", 2);
    theApplication->closeSettings();
    storeRow(9, "Huge", 4000000000u);

    table.load(HighScoreDefaults::Anonymous);
    EXPECT_EQ(std::vector<std::string>({table.getName(0), table.getName(1), table.getName(2)}),
              std::vector<std::string>({"Anonymous", std::string(255, 'E'), "Anonymous"}));
    EXPECT_EQ(std::vector<uint32_t>({table.getScore(3), table.getScore(4), table.getScore(9)}),
              std::vector<uint32_t>({100000, 80000, 4000000000u}));
    // Row 9 above the signed range still compares as the large number it is.
    EXPECT_FALSE(table.qualifies(3999999999u));
}

TEST_F(HighScoreTableTest, AScoreThatWaitedForTheLockIsEnteredIntoTheListAnotherCopyStoredMeanwhile) {
    ASSERT_TRUE(table.qualifies(50000));
    // Another copy of the game, at its name panel too, presses OK on a word.
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    const pid_t otherCopy = fork();
    if (otherCopy == 0) {
        close(go[1]);
        char word = 0;
        if (read(go[0], &word, 1) != 1) _exit(1);
        HighScoreTable theirs;
        theirs.insert("Other", 70000);
        _exit(0);
    }
    close(go[0]);
    {
        const HeldLock held;
        table.insert("Mine", 50000);
    }
    ASSERT_EQ(write(go[1], "!", 1), 1);
    close(go[1]);
    int status = -1;
    waitpid(otherCopy, &status, 0);
    ASSERT_EQ(status, 0);
    // This copy ends: its waiting score goes into the list as the other left it.
    GameOverScreen::storeScoreOfOpenPanel();
    expectStored({{4, "Roven", 80000}, {5, "Other", 70000}, {6, "Roven", 60000}, {7, "Mine", 50000},
                  {8, "Pimla", 10000}, {9, "Pimla", 8000}});
}

TEST_F(HighScoreTableTest, OnlyAnEnteredScoreThatCouldNotBeStoredIsToldLostAsAHighScore) {
    const std::string path = platform::SettingsStore::defaultPath();
    const HeldLock held;
    // Looking at the list creates its rows, which cannot be stored either.
    table.load(HighScoreDefaults::Anonymous);
    testing::internal::CaptureStderr();
    GameOverScreen::storeScoreOfOpenPanel();
    platform::SettingsStore::reportUnsaved(path);
    const std::string lookedOnly = testing::internal::GetCapturedStderr();
    EXPECT_EQ(lookedOnly.find("high score"), std::string::npos) << lookedOnly;
    EXPECT_NE(lookedOnly.find("the settings could not be stored in " + path), std::string::npos) << lookedOnly;

    ASSERT_TRUE(table.qualifies(50000));
    table.insert("Mine", 50000);
    table.load(HighScoreDefaults::Anonymous);
    EXPECT_STREQ(table.getName(6), "Mine") << "the player sees the waiting score in the list";
    EXPECT_EQ(table.getScore(6), 50000u);
    testing::internal::CaptureStderr();
    GameOverScreen::storeScoreOfOpenPanel();
    platform::SettingsStore::reportUnsaved(path);
    const std::string entered = testing::internal::GetCapturedStderr();
    EXPECT_NE(entered.find("the new high score could not be stored in " + path + " and is lost"), std::string::npos)
        << entered;
    flock(held.fd, LOCK_UN);
    GameOverScreen::storeScoreOfOpenPanel();
    EXPECT_EQ(storedRow(6), std::make_pair(std::string("Mine"), 50000u)) << "stored once the lock is free";
}
