// RIFF parsing with every chunk size checked against the bytes present,
// over memory or over an open file, and reading of the wave data.
#include "media/wave_file.h"

#include <cstring>

#include <unistd.h>

#include "platform/files/file_reader.h"

namespace {

// Random access to the bytes of a wave file, wherever they are held.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    virtual bool readAt(const uint64_t& offset, uint8_t* const& destination, const size_t& count) = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(bytes != nullptr ? size : 0) {}
    uint64_t size() const override { return size_; }
    bool readAt(const uint64_t& offset, uint8_t* const& destination, const size_t& count) override {
        if (offset > size_ || count > size_ - offset) return false;
        std::memcpy(destination, bytes_ + offset, count);
        return true;
    }

private:
    const uint8_t* bytes_;
    size_t size_;
};

class FileSource : public ByteSource {
public:
    explicit FileSource(std::FILE* file) : file_(file) {
        if (std::fseek(file_, 0, SEEK_END) == 0) {
            const long end = std::ftell(file_);
            size_ = end > 0 ? static_cast<uint64_t>(end) : 0;
        }
    }
    uint64_t size() const override { return size_; }
    bool readAt(const uint64_t& offset, uint8_t* const& destination, const size_t& count) override {
        if (offset > size_ || count > size_ - offset) return false;
        return std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0 &&
               std::fread(destination, 1, count, file_) == count;
    }

private:
    std::FILE* file_;
    uint64_t size_ = 0;
};

uint32_t little32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

uint32_t little16(const uint8_t* bytes) { return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8; }

// Whether a chunk header that fits into the file stands at offset: a code
// of four printable characters and a size no larger than the bytes left.
bool chunkStartsAt(ByteSource& source, const uint64_t& offset) {
    uint8_t header[8];
    if (!source.readAt(offset, header, 8)) return false;
    for (int i = 0; i < 4; ++i) {
        if (header[i] < 0x20 || header[i] > 0x7E) return false;
    }
    return little32(header + 4) <= source.size() - offset - 8;
}

// Walks the chunks after the RIFF header up to the end of the file (the
// RIFF size is not trusted: streaming writers leave it 0 or too large).
// The wave data is the first "data" chunk after the "fmt " chunk.
bool parseLayout(ByteSource& source, WaveLayout& layout) {
    const uint64_t fileSize = source.size();
    uint8_t header[16];
    if (!source.readAt(0, header, 12) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0) {
        return false;
    }
    const uint32_t riffSize = little32(header + 4);
    WaveLayout found;
    bool haveFormat = false;
    bool haveData = false;
    uint64_t offset = 12;
    while (!(haveFormat && haveData) && source.readAt(offset, header, 8)) {
        const uint32_t chunkSize = little32(header + 4);
        const uint64_t body = offset + 8;
        if (!haveFormat && std::memcmp(header, "fmt ", 4) == 0) {
            uint8_t format[16];
            if (chunkSize < 16 || !source.readAt(body, format, 16)) return false;
            found.formatTag = little16(format);
            found.channels = little16(format + 2);
            found.sampleRate = little32(format + 4);
            found.bitsPerSample = little16(format + 14);
            haveFormat = true;
        } else if (haveFormat && std::memcmp(header, "data", 4) == 0) {
            const uint64_t bytesLeft = fileSize - body;
            const uint32_t present = bytesLeft > 0xFFFFFFFF ? 0xFFFFFFFF : static_cast<uint32_t>(bytesLeft);
            // A writer that cannot seek back leaves the size 0 and the data
            // chunk last; an empty chunk with another chunk after it is
            // empty, and that chunk is not sound.
            const bool unfinished =
                riffSize == 0 || uint64_t{riffSize} + 8 <= body || !chunkStartsAt(source, body);
            found.dataOffset = body;
            found.dataSize = (chunkSize == 0 && unfinished) || chunkSize > present ? present : chunkSize;
            haveData = true;
        }
        offset = body + chunkSize + (chunkSize & 1);
    }
    if (!haveFormat || !haveData) return false;
    layout = found;
    return true;
}

}  // namespace

WaveFile::~WaveFile() { close(); }

bool WaveFile::parseHeader(const uint8_t* const& bytes, const size_t& size, WaveLayout& layout) {
    MemorySource source(bytes, size);
    return parseLayout(source, layout);
}

bool WaveFile::readHeader(const char* const& fileName, uint32_t& channels, uint32_t& sampleRate,
                          uint32_t& bitsPerSample, uint32_t& dataSize) {
    WaveFile file;
    if (!file.open(fileName)) return false;
    channels = file.layout_.channels;
    sampleRate = file.layout_.sampleRate;
    bitsPerSample = file.layout_.bitsPerSample;
    dataSize = file.layout_.dataSize;
    return true;
}

bool WaveFile::open(const char* const& fileName) {
    close();
    if (fileName == nullptr) return false;
    // A FIFO or a device in place of the file is treated as missing.
    const int fd = platform::openRegularFile(fileName);
    if (fd < 0) return false;
    file_ = fdopen(fd, "rb");
    if (file_ == nullptr) {
        ::close(fd);
        return false;
    }
    FileSource source(file_);
    // Files past 2 GB cannot be positioned with the standard stream calls.
    if (source.size() > 0x7FFFFFFF || !parseLayout(source, layout_)) {
        close();
        return false;
    }
    return rewindToData();
}

bool WaveFile::rewindToData() {
    if (file_ == nullptr) return false;
    if (std::fseek(file_, static_cast<long>(layout_.dataOffset), SEEK_SET) != 0) {
        close();
        return false;
    }
    remaining_ = layout_.dataSize;
    return true;
}

bool WaveFile::read(void* const& destination, const uint32_t& count, const bool& wrap) {
    if (file_ == nullptr || (destination == nullptr && count > 0)) return false;
    uint8_t* out = static_cast<uint8_t*>(destination);
    uint32_t left = count;
    while (left > 0) {
        if (remaining_ == 0) {
            // Without data there is nothing to wrap to.
            if (!wrap || layout_.dataSize == 0 || !rewindToData()) return false;
        }
        const uint32_t step = left < remaining_ ? left : remaining_;
        const size_t got = std::fread(out, 1, step, file_);
        out += got;
        left -= static_cast<uint32_t>(got);
        remaining_ -= static_cast<uint32_t>(got);
        // The file was cut short after it was opened.
        if (got != step) return false;
    }
    return true;
}

bool WaveFile::close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    remaining_ = 0;
    return true;
}
