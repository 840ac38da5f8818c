// The asset generator: draws every picture, synthesises every sound and lays
// out the help pages, writing them all into the folder named on the command line.
#include <cstdio>
#include <filesystem>
#include <string>

#include "pictures.h"
#include "sounds.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder + "/help", error);
    if (error) {
        std::fprintf(stderr, "cannot create %s: %s\n", folder.c_str(), error.message().c_str());
        return 1;
    }
    bool ok = writeBlockPictures(folder);
    ok = writeDigitPictures(folder) && ok;
    ok = writeFieldPicture(folder) && ok;
    ok = writeTitlePictures(folder) && ok;
    ok = writePanelPictures(folder) && ok;
    ok = writeHelpPictures(folder) && ok;
    ok = writeSoundEffects(folder) && ok;
    ok = writeMusic(folder) && ok;
    if (!ok) {
        std::fprintf(stderr, "could not write every file into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
