// The 44-byte canonical WAVE header followed by the samples.
#include "wav_writer.h"

#include <fstream>

namespace {

void putLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void putTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool writeWav(const std::string& path, const std::vector<int16_t>& samples, int sampleRate) {
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    putLittle(out, 36 + dataBytes, 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLittle(out, 16, 4);
    putLittle(out, 1, 2);  // PCM
    putLittle(out, 1, 2);  // mono
    putLittle(out, uint32_t(sampleRate), 4);
    putLittle(out, uint32_t(sampleRate) * 2, 4);
    putLittle(out, 2, 2);
    putLittle(out, 16, 2);
    putTag(out, "data");
    putLittle(out, dataBytes, 4);
    for (int16_t s : samples) putLittle(out, uint16_t(s), 2);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return bool(file);
}
