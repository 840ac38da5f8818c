// The help: HTML pages beside the game (the browser fallback) whose links and
// pictures all exist, compiled into a CHM file that holds every page.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

TEST(HelpAssets, EveryPageLinksOnlyToFilesThatExistAndTheCompiledHelpListsEveryPage) {
    const std::string helpFolder = std::string(QUADRIMO_RUN_DIR) + "/help";
    ASSERT_TRUE(std::filesystem::exists(helpFolder + "/index.html"));
    std::vector<std::string> pages;
    const std::regex reference(R"((?:href|src)=\"([^\"#:]+)\")");
    for (const auto& entry : std::filesystem::directory_iterator(helpFolder)) {
        if (entry.path().extension() != ".html") continue;
        pages.push_back(entry.path().filename().string());
        std::ifstream file(entry.path());
        const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it)
            EXPECT_TRUE(std::filesystem::exists(helpFolder + "/" + (*it)[1].str())) << pages.back() << " -> " << (*it)[1];
    }
    EXPECT_GE(pages.size(), 8u);
    std::ifstream contentsFile(helpFolder + "/contents.hhc");
    const std::string contents{std::istreambuf_iterator<char>(contentsFile), std::istreambuf_iterator<char>()};
    for (const std::string& page : pages)
        EXPECT_NE(contents.find("\"" + page + "\""), std::string::npos) << page << " is missing from the contents";

    if (std::system("command -v chmls >/dev/null 2>&1") != 0) GTEST_SKIP() << "chmls (fp-utils) is not installed";
    const std::string chm = std::string(QUADRIMO_RUN_DIR) + "/Quadrimo help.chm";
    ASSERT_TRUE(std::filesystem::exists(chm));
    FILE* listing = popen(("chmls list \"" + chm + "\" 2>/dev/null").c_str(), "r");
    ASSERT_NE(listing, nullptr);
    std::string output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, listing) != nullptr) output += buffer;
    EXPECT_EQ(pclose(listing), 0);
    pages.insert(pages.end(), {"contents.hhc", "match-tilted.png"});
    for (const std::string& page : pages) EXPECT_NE(output.find("/" + page), std::string::npos) << page;
}
