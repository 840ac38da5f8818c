// Choosing the language and switching gettext to it without relying on the
// player's locale being installed: gettext honours the LANGUAGE list under
// any locale but C, and C.UTF-8 is built into the C library.
#include "app/language.h"

#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include <libintl.h>

#include "platform/files/data_directory.h"
#include "platform/files/file_reader.h"

namespace {

std::string theCode;
// The player's own LANGUAGE, put back when the game switches to English.
std::optional<std::string> thePlayersList;

bool isSet(const char* value) { return value != nullptr && value[0] != '\0'; }

bool isCLocale(std::string_view name) { return name == "C" || name == "POSIX"; }

// C, or English in any country or codeset: the game's own texts.
bool asksForEnglish(std::string_view name) {
    return isCLocale(name) || name.substr(0, name.find_first_of("_.@")) == "en";
}

// Codes become folder names: letters, digits, '_', '-' and '@' only.
bool isSafeCode(std::string_view code) {
    if (code.empty()) return false;
    for (char c : code)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '@')) return false;
    return true;
}

// The catalogue names gettext tries for one locale name, most specific
// first: language_TERRITORY@modifier, language_TERRITORY, language@modifier,
// language (the codeset never names a catalogue of ours).
std::vector<std::string> catalogueNames(std::string_view entry) {
    const size_t at = entry.find('@');
    const std::string modifier = at == std::string_view::npos ? "" : std::string(entry.substr(at));
    std::string_view name = entry.substr(0, at);
    name = name.substr(0, name.find('.'));
    const std::string language(name.substr(0, name.find('_')));
    std::vector<std::string> names;
    if (!modifier.empty()) names.push_back(std::string(name) + modifier);
    names.emplace_back(name);
    if (language != name) {
        if (!modifier.empty()) names.push_back(language + modifier);
        names.push_back(language);
    }
    return names;
}

std::string cataloguePath(const std::string& folder, const std::string& code) {
    return folder + "/" + code + "/LC_MESSAGES/" + Language::DOMAIN + ".mo";
}

// The first folder that holds the catalogue for code; empty when none does.
std::string folderWithCatalogue(const std::vector<std::string>& folders, const std::string& code) {
    for (const std::string& folder : folders)
        if (platform::isRegularFile(cataloguePath(folder, code))) return folder;
    return std::string();
}

}  // namespace

LocaleVariables LocaleVariables::fromEnvironment() {
    return {std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")};
}

std::string Language::choose(const LocaleVariables& variables,
                             const std::function<bool(const std::string&)>& hasCatalogue) {
    const char* locale = isSet(variables.all) ? variables.all
                         : isSet(variables.messages) ? variables.messages
                         : isSet(variables.lang) ? variables.lang
                                                 : "C";
    std::string_view list = locale;
    if (!isCLocale(locale) && isSet(variables.language)) list = variables.language;
    while (!list.empty()) {
        const size_t colon = list.find(':');
        const std::string_view entry = list.substr(0, colon);
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        if (entry.empty()) continue;
        if (asksForEnglish(entry)) return std::string();
        for (const std::string& name : catalogueNames(entry))
            if (isSafeCode(name) && hasCatalogue(name)) return name;
    }
    return std::string();
}

std::string Language::start(const std::optional<std::string>& option) {
    const std::vector<std::string> folders = platform::catalogueFolders();
    const auto hasCatalogue = [&folders](const std::string& code) { return !folderWithCatalogue(folders, code).empty(); };
    LocaleVariables variables = LocaleVariables::fromEnvironment();
    if (option.has_value()) variables = LocaleVariables{nullptr, option->c_str(), nullptr, nullptr};
    const std::string chosen = choose(variables, hasCatalogue);
    if (option.has_value() && chosen.empty() && !option->empty() && !asksForEnglish(*option))
        std::fprintf(stderr, "quadrimo: no translation into '%s'; playing in English\n", option->c_str());
    if (!use(chosen, folderWithCatalogue(folders, chosen)))
        std::fprintf(stderr, "quadrimo: the texts stay English: no locale lets gettext read the '%s' catalogue\n",
                     chosen.c_str());
    return chosen;
}

bool Language::use(const std::string& code, const std::string& catalogueFolder) {
    theCode = code;
    if (code.empty()) {
        // gettext answers every text untranslated under the C locale.
        std::setlocale(LC_MESSAGES, "C");
        if (thePlayersList.has_value() && thePlayersList->empty()) unsetenv("LANGUAGE");
        if (thePlayersList.has_value() && !thePlayersList->empty()) setenv("LANGUAGE", thePlayersList->c_str(), 1);
        thePlayersList.reset();
        return true;
    }
    if (!thePlayersList.has_value()) {
        const char* list = std::getenv("LANGUAGE");
        thePlayersList = list != nullptr ? list : "";
    }
    bindtextdomain(DOMAIN, catalogueFolder.c_str());
    bind_textdomain_codeset(DOMAIN, "UTF-8");
    textdomain(DOMAIN);
    setenv("LANGUAGE", code.c_str(), 1);
    // Any locale but C makes gettext follow LANGUAGE; the player's own may
    // not be installed, C.UTF-8 nearly always is.
    for (const char* locale : {"C.UTF-8", "C.utf8", ""})
        if (const char* set = std::setlocale(LC_MESSAGES, locale); set != nullptr && !isCLocale(set)) return true;
    return false;
}

std::string Language::translatedPath(const std::string& fileName) {
    return theCode.empty() ? std::string() : "locale/" + theCode + "/" + fileName;
}

std::string Language::translatedOrEnglish(const std::string& fileName) {
    const std::string translated = translatedPath(fileName);
    return !translated.empty() && platform::isRegularFile(translated) ? translated : fileName;
}

const char* translate(const char* english) { return theCode.empty() ? english : dgettext(Language::DOMAIN, english); }

const char* translate(const char* context, const char* english) {
    if (theCode.empty()) return english;
    // gettext keeps a text with a context under "context EOT text".
    const std::string key = std::string(context) + '\004' + english;
    const char* translated = dgettext(Language::DOMAIN, key.c_str());
    return translated == key.c_str() ? english : translated;
}
