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

namespace {

const std::string helpFolder = std::string(QUADRIMO_RUN_DIR) + "/help";

std::vector<std::string> pages() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(helpFolder))
        if (entry.path().extension() == ".html") names.push_back(entry.path().filename().string());
    return names;
}

std::string readText(const std::string& path) {
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(HelpAssets, EveryPageLinksOnlyToPagesAndPicturesThatExist) {
    ASSERT_TRUE(std::filesystem::exists(helpFolder + "/index.html"));
    const std::vector<std::string> names = pages();
    EXPECT_GE(names.size(), 8u);
    const std::regex reference(R"((?:href|src)=\"([^\"#:]+)\")");
    for (const std::string& page : names) {
        const std::string text = readText(helpFolder + "/" + page);
        for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it)
            EXPECT_TRUE(std::filesystem::exists(helpFolder + "/" + (*it)[1].str())) << page << " -> " << (*it)[1];
    }
}

TEST(HelpAssets, CompiledHelpListsEveryPage) {
    const std::string chm = std::string(QUADRIMO_RUN_DIR) + "/Quadrimo help.chm";
    if (std::system("command -v chmls >/dev/null 2>&1") != 0) GTEST_SKIP() << "chmls (fp-utils) is not installed";
    ASSERT_TRUE(std::filesystem::exists(chm));
    FILE* listing = popen(("chmls list \"" + chm + "\" 2>/dev/null").c_str(), "r");
    ASSERT_NE(listing, nullptr);
    std::string output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, listing) != nullptr) output += buffer;
    EXPECT_EQ(pclose(listing), 0);
    for (const std::string& page : pages()) EXPECT_NE(output.find("/" + page), std::string::npos) << page;
    EXPECT_NE(output.find("/contents.hhc"), std::string::npos);
    EXPECT_NE(output.find("/match-tilted.png"), std::string::npos);
}
