// The asset generator: draws every picture, synthesises every sound and lays
// out the help pages, writing them all into the folder named on the command
// line; or, given a language and its catalogues' folder, draws the pictures
// that hold words in that language into the folder's locale/CODE/.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/language.h"
#include "pictures.h"
#include "sounds.h"
#include "text_art.h"

namespace {

bool makeFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) std::fprintf(stderr, "cannot create %s: %s\n", folder.c_str(), error.message().c_str());
    return !error;
}

bool writeEverything(const std::string& folder) {
    if (!makeFolder(folder + "/help")) return false;
    bool ok = writeBlockPictures(folder);
    ok = writeDigitPictures(folder) && ok;
    ok = writeFieldPicture(folder) && ok;
    ok = writeTitlePictures(folder) && ok;
    ok = writeMenuPictures(folder) && ok;
    ok = writePanelPictures(folder) && ok;
    ok = writeHelpScreen(folder) && ok;
    ok = writeHelpPictures(folder) && ok;
    ok = writeSoundEffects(folder) && ok;
    ok = writeMusic(folder) && ok;
    return ok;
}

// One line per text drawn: its capitals' height as drawn and as designed,
// how far it was condensed, whether every glyph was there, and the text.
bool writeFittingReport(const std::string& path) {
    std::ofstream report(path, std::ios::trunc);
    for (const FittedText& fitted : TextArt::fitted()) {
        std::string text = fitted.text;
        for (size_t i = 0; (i = text.find('\n', i)) != std::string::npos;) text.replace(i, 1, "\\n");
        report << fitted.capitals << '\t' << fitted.designCapitals << '\t' << fitted.squeeze << '\t'
               << (fitted.complete ? "complete" : "missing-glyphs") << '\t' << text << '\n';
    }
    return bool(report);
}

bool writeTranslated(const std::string& folder, const std::string& code, const std::string& catalogues) {
    if (!Language::use(code, catalogues)) {
        std::fprintf(stderr, "no locale lets gettext read the %s catalogue in %s\n", code.c_str(), catalogues.c_str());
        return false;
    }
    const std::string translated = folder + "/locale/" + code;
    if (!makeFolder(translated + "/help")) return false;
    bool ok = writeFieldPicture(translated);
    ok = writeMenuPictures(translated) && ok;
    ok = writePanelPictures(translated) && ok;
    ok = writeHelpScreen(translated) && ok;
    return writeFittingReport(translated + "/fitted-texts.txt") && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [LANGUAGE CATALOGUE_FOLDER]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok = argc == 2 ? writeEverything(folder) : writeTranslated(folder, argv[2], argv[3]);
    if (!ok) {
        std::fprintf(stderr, "could not write every file into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
