// A RIFF/WAVE file read as a byte source: its format and the place and size
// of its wave data, then the data itself, wrapping back to its start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Where a file's wave data lies and how it is sampled.
struct WaveLayout {
    uint32_t formatTag = 0;
    uint32_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t bitsPerSample = 0;
    // Offset of the first sample byte in the file.
    uint64_t dataOffset = 0;
    // Sample bytes the file really holds: the "data" chunk's size, cut to
    // the end of the file when it claims more. A size of 0 reaches to the
    // end of the file where a streaming writer never came back to fill the
    // sizes in (the RIFF size 0 too, or no chunk after the data's header).
    uint32_t dataSize = 0;
};

class WaveFile {
public:
    WaveFile() = default;
    WaveFile(const WaveFile&) = delete;
    WaveFile& operator=(const WaveFile&) = delete;
    ~WaveFile();

    // Parses a whole wave file held in memory; no file I/O. False when the
    // bytes are not a RIFF/WAVE file with a "fmt " of at least 16 bytes
    // followed by a "data" chunk.
    static bool parseHeader(const uint8_t* const& bytes, const size_t& size, WaveLayout& layout);

    // Reads the format and the data size of the named file, then closes it.
    static bool readHeader(const char* const& fileName, uint32_t& channels, uint32_t& sampleRate,
                           uint32_t& bitsPerSample, uint32_t& dataSize);

    // Opens the file and stands at the first byte of its wave data.
    bool open(const char* const& fileName);
    // Goes back to the first byte of the wave data.
    bool rewindToData();
    // Copies count bytes of wave data to destination. At the end of the data
    // chunk a wrapping read goes on from the start of the data; a plain read
    // fails there, having copied what there was.
    bool read(void* const& destination, const uint32_t& count, const bool& wrap);
    bool close();

private:
    std::FILE* file_ = nullptr;
    WaveLayout layout_;
    // Bytes of wave data left before the end of the data chunk.
    uint32_t remaining_ = 0;
};
