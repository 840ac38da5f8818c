// The player's language: chosen from the environment as gettext chooses,
// and switched on with the built catalogues whatever locales the machine has.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/command_line.h"
#include "app/language.h"
#include "platform/drawing/font_rasterizer.h"

namespace {

struct Case {
    const char* language;
    const char* all;
    const char* messages;
    const char* lang;
    const char* chosen;
};

}  // namespace

TEST(Language, ChosenFromTheEnvironmentAsGettextChoosesAmongTheCatalogues) {
    const std::set<std::string> catalogues = {"de", "fr", "pt_BR", "ru", "sr@latin"};
    const Case cases[] = {
        {nullptr, nullptr, nullptr, "C", ""},
        {nullptr, nullptr, nullptr, nullptr, ""},
        {"de:fr", nullptr, nullptr, "en_US.UTF-8", "de"},
        {"xx:ja:fr", nullptr, nullptr, "en_US.UTF-8", "fr"},
        {"de", nullptr, nullptr, "C", ""},     // under C, LANGUAGE does not count
        {"de", nullptr, nullptr, "POSIX", ""},
        {"de", nullptr, nullptr, nullptr, ""},
        {"", nullptr, nullptr, "ru_RU.UTF-8", "ru"},
        {nullptr, nullptr, nullptr, "de_AT.UTF-8", "de"},
        {nullptr, "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE.UTF-8", "fr"},
        {nullptr, "", "ru_RU.UTF-8", "de_DE.UTF-8", "ru"},
        {nullptr, nullptr, nullptr, "pt_BR.UTF-8", "pt_BR"},
        {nullptr, nullptr, nullptr, "pt_PT.UTF-8", ""},
        {nullptr, nullptr, nullptr, "ja_JP.UTF-8", ""},
        {"en_GB:de", nullptr, nullptr, "de_DE.UTF-8", ""},  // English comes first
        {"C:de", nullptr, nullptr, "de_DE.UTF-8", ""},
        {nullptr, nullptr, nullptr, "sr_RS.UTF-8@latin", "sr@latin"},
        {"../../tmp:de", nullptr, nullptr, "fr_FR", "de"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> asked;
        const std::string chosen =
            Language::choose({c.language, c.all, c.messages, c.lang}, [&](const std::string& code) {
                asked.push_back(code);
                return catalogues.count(code) > 0;
            });
        const std::string label = std::string(c.language ? c.language : "-") + " " + (c.all ? c.all : "-") + " " +
                                  (c.messages ? c.messages : "-") + " " + (c.lang ? c.lang : "-");
        EXPECT_EQ(chosen, c.chosen) << label;
        // Only plain codes ever become folder names.
        for (const std::string& code : asked) EXPECT_EQ(code.find('/'), std::string::npos) << label;
    }
}

// The built catalogues, switched on under the C locale the tests run in: a
// language that gettext ignored, or texts converted to ASCII, would show here.
TEST(Language, TranslatesWithTheBuiltCataloguesAndDrawsEveryRuntimeText) {
    const std::string catalogues = std::string(QUADRIMO_RUN_DIR) + "/locale";
    setenv("LANGUAGE", "nl:fr", 1);
    ASSERT_TRUE(Language::use("de", catalogues));
    EXPECT_STREQ(translate("Paused"), "Pause");
    EXPECT_STREQ(translate("game screen", "Exit"), "Ende");
    EXPECT_STREQ(translate("No such text"), "No such text");
    EXPECT_EQ(Language::translatedPath("field.bmp"), "locale/de/field.bmp");
    ASSERT_TRUE(Language::use("ru", catalogues));
    EXPECT_STREQ(translate("Paused"), "Пауза");
    EXPECT_STREQ(translate("Cannot Initialize Game"), "Не удаётся запустить игру");

    // The pause notice is drawn in the game's own font: it must hold every letter.
    const platform::FontRasterizer font("Arial", 40);
    for (const char* code : {"de", "es", "fr", "it", "nl", "pl", "pt_BR", "ru"}) {
        ASSERT_TRUE(Language::use(code, catalogues)) << code;
        for (const char* english : {"Paused", "Press any key or click to play on"}) {
            const std::string text = translate(english);
            EXPECT_NE(text, english) << code << " leaves " << english << " untranslated";
            EXPECT_TRUE(font.hasGlyphs(text)) << code << ": " << text;
        }
    }
    ASSERT_TRUE(Language::use("", catalogues));
    EXPECT_STREQ(translate("Paused"), "Paused");
    EXPECT_STREQ(std::getenv("LANGUAGE"), "nl:fr") << "the player's own list comes back with English";
    unsetenv("LANGUAGE");
    EXPECT_EQ(Language::translatedPath("field.bmp"), "");
    EXPECT_FALSE(font.hasGlyphs("\xE3\x81\x82")) << "a character the font lacks is noticed";
}

TEST(Language, TheCommandLineNamesALanguageForOneRun) {
    const char* separate[] = {"quadrimo", "--language", "de", "--windowed"};
    const CommandLine both = parseCommandLine(4, separate);
    EXPECT_EQ(std::tuple(both.start, both.language, both.fullScreen),
              std::tuple(true, std::optional<std::string>("de"), std::optional<bool>(false)));
    const char* joined[] = {"quadrimo", "--language=pt_BR"};
    EXPECT_EQ(parseCommandLine(2, joined).language, std::optional<std::string>("pt_BR"));
    const char* missing[] = {"quadrimo", "--language"};
    EXPECT_EQ(parseCommandLine(2, missing).exitCode, 2) << "a language must follow the option";
}
