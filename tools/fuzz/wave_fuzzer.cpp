// Feeds arbitrary bytes to the wave reader, from memory and from a file: both
// must agree, the data must lie inside the file, and a wrapping read must give
// exactly the data chunk's bytes over and over, never what follows it.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/wave_file.h"

namespace {

// The bytes as a file in memory, named through /proc; -1 when that fails.
int memoryFile(const uint8_t* data, size_t size) {
    const int descriptor = memfd_create("wave", 0);
    if (descriptor < 0) return -1;
    size_t written = 0;
    while (written < size) {
        const ssize_t step = write(descriptor, data + written, size - written);
        if (step <= 0) {
            close(descriptor);
            return -1;
        }
        written += static_cast<size_t>(step);
    }
    return descriptor;
}

void checkFileReading(const uint8_t* data, size_t size, const bool& parsed, const WaveLayout& layout) {
    const int descriptor = memoryFile(data, size);
    if (descriptor < 0) return;
    const std::string name = "/proc/self/fd/" + std::to_string(descriptor);
    WaveFile file;
    const bool opened = file.open(name.c_str());
    if (opened != parsed) std::abort();
    if (opened) {
        // One and a half passes over the data, wrapping once.
        const uint32_t count = layout.dataSize + layout.dataSize / 2 + 1;
        std::vector<uint8_t> samples(count);
        const bool read = file.read(samples.data(), count, true);
        if (read != (layout.dataSize > 0)) std::abort();
        for (uint32_t i = 0; read && i < count; ++i) {
            if (samples[i] != data[layout.dataOffset + i % layout.dataSize]) std::abort();
        }
    }
    file.close();
    close(descriptor);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WaveLayout layout;
    const bool parsed = WaveFile::parseHeader(data, size, layout);
    if (parsed && (layout.dataOffset > size || layout.dataSize > size - layout.dataOffset)) std::abort();
    checkFileReading(data, size, parsed, layout);
    return 0;
}
