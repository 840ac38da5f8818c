// The reason of the last platform failure, and the versions of the
// libraries from the headers the program was compiled against.
#include "platform/reports/diagnostics.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

namespace platform {

namespace {

std::string& reason() {
    static std::string text;
    return text;
}

std::string version(int major, int minor, int patch) {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch);
}

}  // namespace

void recordFailure(const std::string& what) { reason() = what; }

void recordSdlFailure(const std::string& what) {
    const char* error = SDL_GetError();
    reason() = error != nullptr && error[0] != '\0' ? what + ": " + error : what;
}

const std::string& lastFailure() { return reason(); }

std::string builtWithLibraries() {
    return "SDL " + version(SDL_MAJOR_VERSION, SDL_MINOR_VERSION, SDL_PATCHLEVEL) + ", SDL_ttf " +
           version(SDL_TTF_MAJOR_VERSION, SDL_TTF_MINOR_VERSION, SDL_TTF_PATCHLEVEL) + " and fontconfig " +
           version(FC_MAJOR, FC_MINOR, FC_REVISION);
}

}  // namespace platform
