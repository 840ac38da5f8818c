// Builds RIFF/WAVE files byte by byte for tests, odd layouts included, and
// writes them to a private folder.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace wavetest {

using Bytes = std::vector<uint8_t>;

inline void put32(Bytes& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void put16(Bytes& out, uint32_t value) {
    for (int i = 0; i < 2; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A chunk with its header, padded to an even length. sizeField overrides
// the size written in the header (for files whose sizes lie).
inline Bytes chunk(const std::string& id, const Bytes& body, int64_t sizeField = -1) {
    Bytes out(id.begin(), id.end());
    put32(out, sizeField < 0 ? static_cast<uint32_t>(body.size()) : static_cast<uint32_t>(sizeField));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 == 1) out.push_back(0);
    return out;
}

// A "fmt " body of 16 bytes, or longer with its extra-size field and extra bytes.
inline Bytes formatBody(uint32_t channels, uint32_t rate, uint32_t bits, uint32_t length = 16, uint32_t tag = 1) {
    Bytes out;
    put16(out, tag);
    put16(out, channels);
    put32(out, rate);
    put32(out, rate * channels * bits / 8);
    put16(out, channels * bits / 8);
    put16(out, bits);
    if (length > 16) put16(out, length - 18);
    out.resize(length, 0);
    return out;
}

inline Bytes riff(const std::vector<Bytes>& chunks, const std::string& form = "WAVE") {
    Bytes body(form.begin(), form.end());
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    return chunk("RIFF", body);
}

// 16-bit mono samples.
inline Bytes samples16(const std::vector<int16_t>& values) {
    Bytes out;
    for (const int16_t v : values) put16(out, static_cast<uint16_t>(v));
    return out;
}

// A canonical mono 16-bit file at rate holding data.
inline Bytes simpleWave(const Bytes& data, uint32_t rate = 22050, uint32_t channels = 1, uint32_t bits = 16) {
    return riff({chunk("fmt ", formatBody(channels, rate, bits)), chunk("data", data)});
}

inline std::string writeFile(const std::string& name, const Bytes& bytes) {
    const char* base = std::getenv("XDG_DATA_HOME");
    const std::string path = std::string(base != nullptr ? base : "/tmp") + "/" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
}

}  // namespace wavetest
