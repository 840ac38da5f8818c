// Reads a whole file into memory, with a size cap so that a huge or endless
// file (a device, a pipe) cannot exhaust memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// False (out empty) when the file is missing, not a regular file, larger
// than maxBytes, or cannot be read whole.
bool readWholeFile(const char* const& path, const size_t& maxBytes, std::vector<uint8_t>& out);

}  // namespace platform
