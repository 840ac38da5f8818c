// The help: HTML pages beside the game (the browser fallback) whose links and
// pictures all exist, compiled into a CHM file that holds every page; and
// the same in every language the help is translated into.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

std::string readText(const std::filesystem::path& path) {
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The pages of a help folder, after checking that what they link to exists
// and that the contents list them.
std::vector<std::string> checkedPages(const std::string& helpFolder) {
    std::vector<std::string> pages;
    const std::regex reference(R"((?:href|src)=\"([^\"#:]+)\")");
    for (const auto& entry : std::filesystem::directory_iterator(helpFolder)) {
        if (entry.path().extension() != ".html") continue;
        pages.push_back(entry.path().filename().string());
        const std::string text = readText(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it)
            EXPECT_TRUE(std::filesystem::exists(helpFolder + "/" + (*it)[1].str())) << pages.back() << " -> " << (*it)[1];
    }
    const std::string contents = readText(helpFolder + "/contents.hhc");
    for (const std::string& page : pages)
        EXPECT_NE(contents.find("\"" + page + "\""), std::string::npos) << page << " is missing from the contents";
    return pages;
}

// Every page and the contents inside the compiled help.
void expectCompiled(const std::string& chm, std::vector<std::string> pages) {
    ASSERT_TRUE(std::filesystem::exists(chm));
    FILE* listing = popen(("chmls list \"" + chm + "\" 2>/dev/null").c_str(), "r");
    ASSERT_NE(listing, nullptr);
    std::string output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, listing) != nullptr) output += buffer;
    EXPECT_EQ(pclose(listing), 0);
    pages.insert(pages.end(), {"contents.hhc", "match-tilted.png", "screen.png"});
    for (const std::string& page : pages) EXPECT_NE(output.find("/" + page), std::string::npos) << chm << ": " << page;
}

bool haveChmls() { return std::system("command -v chmls >/dev/null 2>&1") == 0; }

}  // namespace

TEST(HelpAssets, EveryPageLinksOnlyToFilesThatExistAndTheCompiledHelpListsEveryPage) {
    const std::string helpFolder = std::string(QUADRIMO_RUN_DIR) + "/help";
    ASSERT_TRUE(std::filesystem::exists(helpFolder + "/index.html"));
    const std::vector<std::string> pages = checkedPages(helpFolder);
    EXPECT_GE(pages.size(), 8u);
    if (!haveChmls()) GTEST_SKIP() << "chmls (fp-utils) is not installed";
    expectCompiled(std::string(QUADRIMO_RUN_DIR) + "/Quadrimo help.chm", pages);
}

// Each translation has the English pages, in its own language, with their
// pictures, and compiles like the English help.
TEST(HelpAssets, EveryTranslatedHelpHasTheEnglishPagesInItsLanguage) {
    const std::string runDir = QUADRIMO_RUN_DIR;
    const std::vector<std::string> english = checkedPages(runDir + "/help");
    int translations = 0;
    for (const auto& language : std::filesystem::directory_iterator(runDir + "/locale")) {
        const std::string code = language.path().filename();
        const std::string helpFolder = language.path().string() + "/help";
        if (!std::filesystem::exists(helpFolder + "/index.html")) continue;
        ++translations;
        std::vector<std::string> pages = checkedPages(helpFolder);
        EXPECT_EQ(std::set<std::string>(pages.begin(), pages.end()), std::set<std::string>(english.begin(), english.end()))
            << code;
        const std::string index = readText(helpFolder + "/index.html");
        EXPECT_NE(index.find("<html lang=\"" + code.substr(0, 2)), std::string::npos) << code;
        EXPECT_NE(index, readText(runDir + "/help/index.html")) << code << " is English";
        if (haveChmls()) expectCompiled(language.path().string() + "/Quadrimo help.chm", pages);
    }
    EXPECT_GE(translations, 8);
}
