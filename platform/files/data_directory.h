// Finds the folder with the game's pictures, sounds and help, so that the
// program reads its own files whatever folder it is started from, and makes
// it the working directory, from which the rest of the program reads them.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The first folder that holds the file `marker`: the program's own folder,
// the installed data folder relative to the program, the data folder the
// build was configured for, and only then the working directory (a folder
// a stranger prepared must not override the program's own files). Empty
// when none does.
std::string findDataDirectory(const std::string& executablePath, const char* const& marker);

// The folders that may hold the message catalogues (CODE/LC_MESSAGES/*.mo),
// in the order to try them: the data folder's locale/ (where the build puts
// them), the installed locale folder relative to the program, and the one
// the build was configured for.
std::vector<std::string> catalogueFolders();

// Changes to the folder found above; says on standard error when there is
// none. True when the pictures are reachable afterwards.
bool enterDataDirectory();

}  // namespace platform
