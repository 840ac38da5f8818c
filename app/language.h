// The language the game speaks: chosen once at start-up, from the
// --language option or from the environment as gettext reads it; its
// catalogue translates the texts, and its folder in the data folder holds the
// translated pictures and help.
#pragma once

#include <functional>
#include <optional>
#include <string>

// The environment variables that choose a language; null when unset.
struct LocaleVariables {
    const char* language = nullptr;  // LANGUAGE: a list such as "de:fr"
    const char* all = nullptr;       // LC_ALL
    const char* messages = nullptr;  // LC_MESSAGES
    const char* lang = nullptr;      // LANG

    static LocaleVariables fromEnvironment();
};

class Language {
public:
    // The gettext domain: the catalogues' file name.
    static constexpr const char* DOMAIN = "quadrimo";

    // The first language the variables ask for that has a catalogue, as
    // gettext looks for it ("de_AT.UTF-8" finds "de", "pt_BR" itself), or ""
    // for English. As in gettext, the LANGUAGE list counts only when the
    // locale is not C; "C" and English (the game's own language) in the list
    // end the search with English.
    static std::string choose(const LocaleVariables& variables,
                              const std::function<bool(const std::string&)>& hasCatalogue);

    // Chooses the language (the option, when given, instead of the
    // environment) with the catalogues found beside the data folder or where
    // they are installed, and switches to it. Says on standard error when an
    // option names a language without a catalogue. Returns the code chosen.
    static std::string start(const std::optional<std::string>& option);

    // Makes gettext translate into code with the catalogues of folder; "" is
    // English. False when texts stay English although code was asked for.
    static bool use(const std::string& code, const std::string& catalogueFolder);

    // Where the data folder keeps the translation of a file: locale/CODE/name,
    // or "" in English.
    static std::string translatedPath(const std::string& fileName);

    // The translated file when it exists, else fileName itself.
    static std::string translatedOrEnglish(const std::string& fileName);
};

// The text in the game's language, in UTF-8; english itself when there is
// no translation.
const char* translate(const char* english);
// The same, for a text whose meaning depends on where it stands (msgctxt).
const char* translate(const char* context, const char* english);
