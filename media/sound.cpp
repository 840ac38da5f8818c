// Sounds in buffers of the sound device: the whole fill, the half-buffer
// refill of a streaming sound, and play, resume and stop with one restore
// and retry when the buffer was lost.
#include "media/sound.h"

#include "app/application.h"
#include "platform/sound/audio_device.h"
#include "platform/reports/file_report.h"
#include "platform/sound/sound_buffer.h"

Sound::Sound(const char* const& fileName_, const bool& streaming_, const uint32_t& bufferSeconds)
    : fileName(fileName_), streaming(streaming_) {
    // A file that cannot be read leaves every format field 0: no buffer can be made for it.
    if (!WaveFile::readHeader(fileName, channels, sampleRate, bitsPerSample, dataSize)) {
        platform::reportUnusableFile("sound", fileName);
        return;
    }
    if (!streaming) {
        if (tooLongToHoldWhole()) {
            // Refused like a broken file, before any memory is taken for it.
            platform::reportUnusableFile("sound", fileName, "too long to be held whole");
            channels = sampleRate = bitsPerSample = dataSize = 0;
        }
        bufferSize = dataSize;
        return;
    }
    bufferSize = (channels * sampleRate * bitsPerSample * bufferSeconds) >> 3;
    // Both halves must start on a whole sample frame.
    const uint32_t halvesAlign = 2 * channels * (bitsPerSample / 8);
    if (halvesAlign != 0) bufferSize -= bufferSize % halvesAlign;
}

bool Sound::tooLongToHoldWhole() const {
    const uint64_t bytesPerSecond = static_cast<uint64_t>(channels) * sampleRate * bitsPerSample / 8;
    return dataSize > MAX_WHOLE_BYTES || dataSize > bytesPerSecond * MAX_WHOLE_SECONDS;
}

Sound::~Sound() {
    waveFile.close();
    releaseBuffer();
}

bool Sound::createBuffer() {
    releaseBuffer();
    if (theApplication == nullptr || theApplication->directSound == nullptr) return false;
    const platform::SoundFormat format{channels, sampleRate, bitsPerSample};
    buffer = theApplication->directSound->createBuffer(format, bufferSize);
    if (buffer == nullptr) return false;
    return fillBuffer();
}

bool Sound::fillBuffer() {
    if (buffer == nullptr) return false;
    lastStreamHalf = 0;
    if (!waveFile.open(fileName)) return false;
    uint8_t* firstPart = nullptr;
    uint8_t* secondPart = nullptr;
    uint32_t firstSize = 0;
    uint32_t secondSize = 0;
    bool filled = buffer->lock(0, 0, true, firstPart, firstSize, secondPart, secondSize);
    if (filled) {
        filled = waveFile.read(firstPart, firstSize, false);
        buffer->unlock(firstPart, firstSize, secondPart, 0);
    }
    if (!streaming) waveFile.close();
    return filled;
}

bool Sound::refillStream() {
    if (buffer == nullptr || !streaming) return false;
    const uint32_t half = bufferSize >> 1;
    uint32_t cursor = 0;
    if (!buffer->getCurrentPosition(cursor)) return false;
    const bool sameHalf = (cursor < half && cursor >= lastStreamHalf) ||
                          (cursor >= half && lastStreamHalf >= half && cursor >= lastStreamHalf);
    if (sameHalf) return true;
    const uint32_t refillStart = lastStreamHalf;
    lastStreamHalf = cursor < half ? 0 : half;
    uint8_t* firstPart = nullptr;
    uint8_t* secondPart = nullptr;
    uint32_t firstSize = 0;
    uint32_t secondSize = 0;
    if (!buffer->lock(refillStart, half, false, firstPart, firstSize, secondPart, secondSize)) return false;
    const bool read = waveFile.read(firstPart, firstSize, true);
    buffer->unlock(firstPart, firstSize, secondPart, 0);
    return read;
}

bool Sound::releaseBuffer() {
    delete buffer;
    buffer = nullptr;
    return true;
}

bool Sound::restoreBuffer() {
    // A restored buffer stands still until the next play or resume.
    playing = false;
    if (buffer != nullptr && buffer->restore()) return fillBuffer();
    releaseBuffer();
    return createBuffer();
}

bool Sound::startPlaying() { return buffer != nullptr && buffer->setCurrentPosition(0) && buffer->play(streaming); }

bool Sound::play() {
    if (buffer == nullptr) createBuffer();
    if (buffer == nullptr) return false;
    if (!startPlaying()) {
        restoreBuffer();
        if (!startPlaying()) return false;
    }
    playing = true;
    return true;
}

bool Sound::resume() {
    if (playing) return true;
    if (buffer == nullptr) createBuffer();
    if (buffer == nullptr) return false;
    if (!buffer->play(streaming)) {
        restoreBuffer();
        if (buffer == nullptr || !buffer->play(streaming)) return false;
    }
    playing = true;
    return true;
}

bool Sound::updateStream() {
    if (!streaming) return false;
    if (buffer == nullptr) createBuffer();
    if (buffer == nullptr) return false;
    if (refillStream()) return true;
    restoreBuffer();
    return refillStream();
}

bool Sound::stop() {
    if (buffer == nullptr) return true;
    if (!buffer->stop()) return false;
    playing = false;
    return true;
}
