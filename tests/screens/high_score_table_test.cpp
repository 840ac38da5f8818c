// The stored high-score list: defaults, qualification, insertion, reset and hand-edited values.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "screen_test_support.h"
#include "screens/high_score_table.h"
#include "support/test_application.h"

using namespace screen_test;

namespace {

constexpr uint32_t DEFAULT_SCORES[10] = {1000000, 800000, 600000, 100000, 80000, 60000, 10000, 8000, 6000, 4000};
const char* const NAMED[10] = {"Quimbo", "Quimbo", "Quimbo", "Roven", "Roven",
                               "Roven",  "Pimla",  "Pimla",  "Pimla", "Pimla"};

class HighScoreTableTest : public ::testing::Test {
protected:
    void SetUp() override { clearStore(); }
    TestApplication application;
};

}  // namespace

TEST_F(HighScoreTableTest, QualificationIsStrictAndStoresTheNamedDefaults) {
    HighScoreTable table;
    EXPECT_FALSE(table.qualifies(4000));
    EXPECT_TRUE(table.qualifies(4001));
    EXPECT_FALSE(table.qualifies(0));
    for (int row = 0; row < 10; ++row) {
        EXPECT_STREQ(table.getName(row), NAMED[row]);
        EXPECT_EQ(table.getScore(row), DEFAULT_SCORES[row]);
        EXPECT_EQ(storedName(row), NAMED[row]) << row;
        EXPECT_EQ(storedScore(row), DEFAULT_SCORES[row]) << row;
    }
}

TEST_F(HighScoreTableTest, StoredValuesWinOverEitherSetOfDefaults) {
    HighScoreTable table;
    table.load(HighScoreDefaults::Anonymous);
    table.qualifies(1);
    EXPECT_STREQ(table.getName(0), "Anonymous");
    EXPECT_EQ(storedName(9), "Anonymous");
}

TEST_F(HighScoreTableTest, InsertionGoesBelowEqualScoresAndDropsTheLastRow) {
    HighScoreTable table;
    ASSERT_TRUE(table.qualifies(80000));
    table.insert("Newcomer", 80000);
    table.load(HighScoreDefaults::Anonymous);
    EXPECT_STREQ(table.getName(4), "Roven");
    EXPECT_EQ(table.getScore(4), 80000u);
    EXPECT_STREQ(table.getName(5), "Newcomer");
    EXPECT_EQ(table.getScore(5), 80000u);
    const uint32_t below[4] = {60000, 10000, 8000, 6000};
    for (int row = 6; row < 10; ++row) EXPECT_EQ(table.getScore(row), below[row - 6]) << row;
}

TEST_F(HighScoreTableTest, InsertionAtTheBottomAndAtTheTop) {
    HighScoreTable table;
    ASSERT_TRUE(table.qualifies(5000));
    table.insert("Last", 5000);
    table.load(HighScoreDefaults::Anonymous);
    for (int row = 0; row < 9; ++row) {
        EXPECT_STREQ(table.getName(row), NAMED[row]) << row;
        EXPECT_EQ(table.getScore(row), DEFAULT_SCORES[row]) << row;
    }
    EXPECT_STREQ(table.getName(9), "Last");
    EXPECT_EQ(table.getScore(9), 5000u);

    ASSERT_TRUE(table.qualifies(2000000));
    table.insert("Champion", 2000000);
    table.load(HighScoreDefaults::Anonymous);
    EXPECT_STREQ(table.getName(0), "Champion");
    EXPECT_EQ(table.getScore(0), 2000000u);
    for (int row = 1; row < 10; ++row) {
        EXPECT_STREQ(table.getName(row), NAMED[row - 1]) << row;
        EXPECT_EQ(table.getScore(row), DEFAULT_SCORES[row - 1]) << row;
    }
}

TEST_F(HighScoreTableTest, NamesAreStoredAsTypedEmptyOrCutAt255) {
    HighScoreTable table;
    ASSERT_TRUE(table.qualifies(700000));
    table.insert("", 700000);
    const std::string longName(300, 'x');
    ASSERT_TRUE(table.qualifies(900000));
    table.insert(longName.c_str(), 900000);
    table.load(HighScoreDefaults::Named);
    EXPECT_STREQ(table.getName(1), std::string(255, 'x').c_str());
    EXPECT_STREQ(table.getName(3), "");
    EXPECT_EQ(table.getScore(3), 700000u);
    EXPECT_EQ(storedName(3), "");
}

TEST_F(HighScoreTableTest, ResetStoresTheAnonymousDefaults) {
    HighScoreTable table;
    table.qualifies(1);
    table.insert("Someone", 3000000);
    table.reset();
    for (int row = 0; row < 10; ++row) {
        EXPECT_STREQ(table.getName(row), "Anonymous");
        EXPECT_EQ(storedName(row), "Anonymous") << row;
        EXPECT_EQ(storedScore(row), DEFAULT_SCORES[row]) << row;
    }
}

TEST_F(HighScoreTableTest, HandEditedValuesNeverOverflowAndFallBackToDefaults) {
    const std::string overlong(1000, 'L');
    const std::string exactly255(255, 'E');
    const uint32_t number = 12345;
    theApplication->openSettings();
    theApplication->writeStringSetting("name0", overlong.c_str());
    theApplication->writeStringSetting("name1", exactly255.c_str());
    theApplication->writeDwordSetting("name2", &number, sizeof number);
    theApplication->writeStringSetting("score3", "12");
    theApplication->writeBinarySetting("score4", "\x01\x02", 2);
    theApplication->closeSettings();
    storeRow(9, "Huge", 4000000000u);

    HighScoreTable table;
    table.load(HighScoreDefaults::Anonymous);
    EXPECT_STREQ(table.getName(0), "Anonymous");
    EXPECT_STREQ(table.getName(1), exactly255.c_str());
    EXPECT_STREQ(table.getName(2), "Anonymous");
    EXPECT_EQ(table.getScore(3), DEFAULT_SCORES[3]);
    EXPECT_EQ(table.getScore(4), DEFAULT_SCORES[4]);
    EXPECT_EQ(table.getScore(9), 4000000000u);
    for (int row = 0; row < 10; ++row) EXPECT_LE(std::strlen(table.getName(row)), 255u);
    EXPECT_STREQ(table.getName(-1), "");
    EXPECT_STREQ(table.getName(10), "");

    // Row 9 above the signed range still compares as the large number it is.
    EXPECT_FALSE(table.qualifies(3999999999u));
}
