// Reads a whole file into memory, with a size cap so that a huge or endless
// file (a device, a pipe) cannot exhaust memory, and opens files without
// ever blocking on something that is not a plain file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Whether a regular file (or a link to one) stands at path.
bool isRegularFile(const std::string& path);

// Opens path for reading when it is a regular file, without blocking on the
// way (a FIFO's open would wait for a writer). Returns the descriptor, in
// ordinary blocking mode, or -1: errno is ENOENT when nothing is there and
// EINVAL when something other than a regular file is.
int openRegularFile(const char* const& path);

// False (out empty) when the file is missing, not a regular file, larger
// than maxBytes, or cannot be read whole.
bool readWholeFile(const char* const& path, const size_t& maxBytes, std::vector<uint8_t>& out);

// Fills out, sized by the caller, from the open file; false when the file
// ends or fails first (it shrank since it was sized).
bool readToFill(const int& fd, std::vector<uint8_t>& out);

}  // namespace platform
