// Finds the folder with the game's pictures, sounds and help, so that an
// installed program started from any working directory still reads its
// files from the working directory, as the rest of the program expects.
#pragma once

#include <string>

namespace platform {

// The first folder that holds the file `marker`: the working directory, the
// program's own folder, the installed data folder relative to the program,
// then the data folder the build was configured for. Empty when none does.
std::string findDataDirectory(const std::string& executablePath, const char* const& marker);

// When the game's first picture is not in the working directory, changes to
// the folder found above. True when the pictures are reachable afterwards.
bool enterDataDirectory();

}  // namespace platform
