// The application's settings operations: read-or-create with the caller's
// default, and values surviving from one opening to the next.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "support/test_application.h"

TEST(ApplicationSettings, MissingValuesAreCreatedFromDefaultsAndWritesSurvive) {
    const std::string saved = std::getenv("XDG_DATA_HOME");
    setenv("XDG_DATA_HOME", (saved + "/application-settings").c_str(), 1);
    TestApplication test;
    Application& app = test.app();
    char name[6] = "Anon";
    EXPECT_NE(app.readStringSetting("name0", name, sizeof name), 0) << "the store is closed";

    EXPECT_EQ(app.openSettings(), 0);
    uint32_t score = 1000000;
    EXPECT_EQ(app.readStringSetting("name0", name, sizeof name), 0);
    EXPECT_EQ(app.readDwordSetting("score0", &score, 4), 0);
    EXPECT_EQ(app.closeSettings(), 0);

    app.openSettings();
    char readName[6] = "x";
    uint32_t readScore = 0;
    EXPECT_EQ(app.readStringSetting("name0", readName, sizeof readName) | app.readDwordSetting("score0", &readScore, 4), 0);
    EXPECT_STREQ(readName, "Anon");
    EXPECT_EQ(readScore, 1000000u);
    app.writeStringSetting("name0", "Zoë");
    app.writeStringSetting("name1", "A name longer than six");
    const uint8_t off = 0;
    app.writeBinarySetting("hasSound", &off, 1);
    app.closeSettings();

    app.openSettings();
    uint8_t sound = 1;
    app.readBinarySetting("hasSound", &sound, 1);
    EXPECT_EQ(sound, 0);
    app.readStringSetting("name0", name, sizeof name);
    EXPECT_STREQ(name, "Zoë");
    EXPECT_NE(app.readStringSetting("name1", name, sizeof name), 0) << "too long for the buffer";
    EXPECT_STREQ(name, "Zoë");
    app.closeSettings();
    EXPECT_EQ(app.settingsKey, nullptr);
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
}
