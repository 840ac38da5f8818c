// The application's settings operations: reads need an open store, values
// survive from one opening to the next, and a value that does not fit leaves
// the caller's buffer alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "support/test_application.h"

// That a missing value is created from the caller's default, the high-score
// table tests see through the rows it stores.
TEST(ApplicationSettings, ReadsNeedAnOpenStoreWritesSurviveAndAValueTooLongLeavesTheBuffer) {
    const std::string saved = std::getenv("XDG_DATA_HOME");
    setenv("XDG_DATA_HOME", (saved + "/application-settings").c_str(), 1);
    TestApplication test;
    Application& app = test.app();
    char name[6] = "Anon";
    EXPECT_NE(app.readStringSetting("name0", name, sizeof name), 0) << "the store is closed";

    EXPECT_EQ(app.openSettings(), 0);
    app.writeStringSetting("name0", "Zoë");
    app.writeStringSetting("name1", "A name longer than six");
    const uint8_t off = 0;
    app.writeBinarySetting("hasSound", &off, 1);
    EXPECT_EQ(app.closeSettings(), 0);

    app.openSettings();
    uint8_t sound = 1;
    EXPECT_EQ(app.readBinarySetting("hasSound", &sound, 1) | app.readStringSetting("name0", name, sizeof name), 0);
    EXPECT_EQ(sound, 0);
    EXPECT_STREQ(name, "Zoë");
    EXPECT_NE(app.readStringSetting("name1", name, sizeof name), 0) << "too long for the buffer";
    EXPECT_STREQ(name, "Zoë");
    app.closeSettings();
    EXPECT_EQ(app.settingsKey, nullptr);
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
}
