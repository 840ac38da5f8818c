// The application's settings operations: read-or-create with the caller's
// default, and values surviving from one run to the next.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "support/test_application.h"

namespace {

// Points the store at a fresh folder for one test.
class ApplicationSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::getenv("XDG_DATA_HOME");
        const std::string folder = saved_ + "/app-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::system(("rm -rf '" + folder + "'").c_str());
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
    }
    void TearDown() override { setenv("XDG_DATA_HOME", saved_.c_str(), 1); }

    std::string saved_;
};

}  // namespace

TEST_F(ApplicationSettingsTest, MissingValuesAreCreatedFromTheDefaultsAndSurvive) {
    TestApplication test;
    Application& app = test.app();
    EXPECT_EQ(app.openSettings(), 0);
    bool hasSound = true;
    EXPECT_EQ(app.readBinarySetting("hasSound", &hasSound, 1), 0);
    EXPECT_TRUE(hasSound);
    char name[16] = "Anonymous";
    EXPECT_EQ(app.readStringSetting("name0", name, sizeof name), 0);
    uint32_t score = 1000000;
    EXPECT_EQ(app.readDwordSetting("score0", &score, 4), 0);
    EXPECT_EQ(app.closeSettings(), 0);

    app.openSettings();
    const bool off = false;
    app.writeBinarySetting("hasSound", &off, 1);
    app.writeStringSetting("name0", "Zoë \"Z\"");
    const uint32_t better = 2000000;
    app.writeDwordSetting("score0", &better, 4);
    app.closeSettings();

    app.openSettings();
    hasSound = true;
    std::strcpy(name, "Anonymous");
    score = 0;
    app.readBinarySetting("hasSound", &hasSound, 1);
    app.readStringSetting("name0", name, sizeof name);
    app.readDwordSetting("score0", &score, 4);
    app.closeSettings();
    EXPECT_FALSE(hasSound);
    EXPECT_STREQ(name, "Zoë \"Z\"");
    EXPECT_EQ(score, better);
}

TEST_F(ApplicationSettingsTest, ClosedStoreAndOversizedStringsKeepTheDefaults) {
    TestApplication test;
    Application& app = test.app();
    char name[6] = "Anon";
    EXPECT_NE(app.readStringSetting("name0", name, sizeof name), 0);
    EXPECT_NE(app.writeStringSetting("name0", "x"), 0);
    EXPECT_STREQ(name, "Anon");

    app.openSettings();
    app.writeStringSetting("name0", "A name far longer than six");
    EXPECT_NE(app.readStringSetting("name0", name, sizeof name), 0);
    EXPECT_STREQ(name, "Anon");
    app.closeSettings();
    EXPECT_EQ(app.settingsKey, nullptr);
}
