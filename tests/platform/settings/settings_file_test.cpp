// Parsing and formatting of the settings text: what a hand-edited or
// damaged file gives, and that formatting round-trips.
#include "platform/settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {

SettingsParse parse(const std::string& text, SettingValues& values) {
    return parseSettingsBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size(), values);
}

const std::string HEAD = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Zentrio\\Quadrimo]\n";

}  // namespace

TEST(SettingsFile, ReadsAllThreeTypesWithEscapesAndWindowsLineEndsAndFormatsAwkwardValuesToReadBackTheSame) {
    SettingValues values;
    const std::string text = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Zentrio\\Quadrimo]\r\n"
                             "\"hasSound\"=hex:01\r\n"
                             "\"name0\"=\"Say \\\"hi\\\" C:\\\\\"\r\n"
                             "\"score0\"=dword:000f4240\r\n";
    ASSERT_EQ(parse(text, values), SettingsParse::complete);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values["HASSOUND"], (SettingValue{SETTING_BINARY, {1}}));
    const std::string name(values["name0"].data.begin(), values["name0"].data.end());
    EXPECT_EQ(name, std::string("Say \"hi\" C:\\") + '\0');
    EXPECT_EQ(values["score0"], (SettingValue{SETTING_DWORD, {0x40, 0x42, 0x0f, 0x00}}));

    values["quote\"and\\slash"] = {SETTING_STRING, {'a', '"', '\\', 'b', 0}};
    values["line"] = {SETTING_STRING, {'a', '\n', 'b', 0}};
    values["unterminated"] = {SETTING_STRING, {'x', 'y'}};
    values["empty"] = {SETTING_BINARY, {}};
    values["big"] = {SETTING_DWORD, {0x00, 0x28, 0x6b, 0xee}};
    values["short"] = {SETTING_DWORD, {7}};
    values["other"] = {0x7, {1, 2, 3}};
    for (int i = 0; i < 100; ++i) values["long"].data.push_back(static_cast<uint8_t>(i * 7));
    const std::string formatted = formatSettingsText(values);
    EXPECT_NE(formatted.find("\"big\"=dword:ee6b2800\n"), std::string::npos);
    EXPECT_NE(formatted.find("\"quote\\\"and\\\\slash\"=\"a\\\"\\\\b\"\n"), std::string::npos);
    SettingValues again;
    ASSERT_EQ(parse(formatted, again), SettingsParse::complete);
    EXPECT_EQ(again, values);
}

TEST(SettingsFile, DamagedLinesAreSkippedWrappedListsAndDeletionsUnderstoodAndOtherTextUnreadable) {
    SettingValues values;
    const std::string damaged = HEAD + "; a comment\n"
                                       "\"good\"=dword:5\n"
                                       "\"toolong\"=dword:123456789\n"
                                       "\"badhex\"=hex:1,zz\n"
                                       "\"badescape\"=\"a\\n\"\n"
                                       "\"open\"=\"never closed\n"
                                       "@=\"default\"\n"
                                       "[HKEY_CURRENT_USER\\Software\\Other]\n"
                                       "\"elsewhere\"=dword:1\n";
    EXPECT_EQ(parse(damaged, values), SettingsParse::partial);
    EXPECT_EQ(values, (SettingValues{{"good", {SETTING_DWORD, {5, 0, 0, 0}}}}));
    values.clear();
    const std::string edited = HEAD + "\"gone\"=dword:1\n\"gone\"=-\n\"list\"=hex:01,02,\\\n   03\n";
    EXPECT_EQ(parse(edited, values), SettingsParse::complete);
    EXPECT_EQ(values, (SettingValues{{"list", {SETTING_BINARY, {1, 2, 3}}}}));
    values.clear();
    EXPECT_EQ(parse("\x89PNG garbage\n\"a\"=dword:1\n", values), SettingsParse::unreadable);
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(parse("", values), SettingsParse::complete);
    EXPECT_EQ(parse("  \n\n", values), SettingsParse::complete);
    EXPECT_EQ(parseSettingsBytes(nullptr, 10, values), SettingsParse::complete);
    // Truncated in the middle of a wrapped list.
    EXPECT_EQ(parse(HEAD + "\"a\"=hex:01,\\", values), SettingsParse::partial);
}
