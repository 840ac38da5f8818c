// One line on standard error for each game file that is missing or refused,
// naming the folder it was looked for in, so that a black screen or a silent
// game has a stated reason.
#pragma once

namespace platform {

// Says once per file name that the kind of file ("picture", "sound", ...)
// named fileName is missing or was refused, with the reason when one is
// given. Relative names are reported with the working directory.
void reportUnusableFile(const char* const& kind, const char* const& fileName, const char* const& reason = nullptr);

}  // namespace platform
