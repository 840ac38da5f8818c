// The stored high-score list: defaults, qualification, insertion, reset and hand-edited values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen_test_support.h"
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
