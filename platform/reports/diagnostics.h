// What the platform tells a player at a terminal, or a bug report, about a
// start-up that failed: why the last failing step failed, and the libraries
// the program was built with.
#pragma once

#include <string>

namespace platform {

// Remembers what failed, as the reason of the last failure.
void recordFailure(const std::string& what);
// The same, followed by SDL's own error string: call it right after the
// SDL call that failed.
void recordSdlFailure(const std::string& what);
// The reason of the last failure recorded, "" when there was none.
const std::string& lastFailure();

// The libraries and versions the program was built with, for example
// "SDL 2.26.5, SDL_ttf 2.20.1 and fontconfig 2.14.1".
std::string builtWithLibraries();

}  // namespace platform
