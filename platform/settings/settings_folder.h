// The file work beside the settings file: its folder, its lock, replacing
// it atomically, keeping damaged files aside and clearing what a killed save
// left behind. Nothing here ever copies a file: all moves are renames or links.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Damaged settings files kept aside; older ones are removed.
constexpr int KEPT_BAD_COPIES = 5;

std::string folderOf(const std::string& path);

// Creates the folder and those above it; true when it exists afterwards.
bool makeFolders(const std::string& folder);

// Takes the exclusive lock on path's lock file, trying in small steps for
// at most waitMilliseconds. Returns the lock's descriptor, or -1 with errno
// set (EWOULDBLOCK when another program still holds it).
int lockSettings(const std::string& path, const int& waitMilliseconds);
void unlockSettings(const int& lockFd);

// Writes text to a temporary file beside path, syncs it and renames it over
// path, so that path always holds either the old or the new whole file.
bool replaceFile(const std::string& path, const std::string& text);

// Gives the file at path a name of its own beside it, time-stamped, so that
// every damaged file is kept; only the newest KEPT_BAD_COPIES stay. Returns
// the new name, or "" when the file could not be kept.
std::string keepAside(const std::string& path);

// Removes path's temporary files (path + "." and six letters or digits).
// Only to be called with the lock held, when no save can be under way.
void removeTemporaries(const std::string& path);

}  // namespace platform
