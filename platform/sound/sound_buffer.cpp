// Sound buffer memory, cursor and controls, and its share of the mix:
// conversion of 8- or 16-bit mono or stereo samples at any rate to the
// device's mono samples, by linear interpolation.
#include "platform/sound/sound_buffer.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/sound/audio_device.h"

namespace platform {

namespace {

constexpr int FRACTION_BITS = 32;

}  // namespace

SoundBuffer::SoundBuffer(AudioDevice* const& device, const SoundFormat& format, const uint32_t& bytes)
    : device_(device), format_(format), bytesPerFrame_(format.channels * (format.bitsPerSample / 8)),
      frames_(bytes / bytesPerFrame_), memory_(bytes, format.bitsPerSample == 8 ? 0x80 : 0), staging_(bytes) {}

SoundBuffer::~SoundBuffer() {
    if (device_ != nullptr) device_->forget(this);
}

bool SoundBuffer::lock(const uint32_t& offset, const uint32_t& bytes, const bool& entireBuffer, uint8_t*& firstPart,
                       uint32_t& firstSize, uint8_t*& secondPart, uint32_t& secondSize) {
    if (device_ == nullptr || locked_) return false;
    const uint32_t start = entireBuffer ? 0 : offset;
    const uint32_t length = entireBuffer ? size() : bytes;
    if (start >= size() || length == 0 || length > size()) return false;
    std::lock_guard guard(device_->lock_);
    if (lost_) return false;
    firstSize = std::min(length, size() - start);
    secondSize = length - firstSize;
    std::memcpy(staging_.data() + start, memory_.data() + start, firstSize);
    std::memcpy(staging_.data(), memory_.data(), secondSize);
    firstPart = staging_.data() + start;
    secondPart = secondSize > 0 ? staging_.data() : nullptr;
    locked_ = true;
    lockOffset_ = start;
    lockBytes_ = length;
    return true;
}

bool SoundBuffer::unlock(uint8_t* const& firstPart, const uint32_t& firstWritten, uint8_t* const& secondPart,
                         const uint32_t& secondWritten) {
    if (!locked_ || firstPart != staging_.data() + lockOffset_) return false;
    locked_ = false;
    if (device_ == nullptr) return false;
    const uint32_t firstSize = std::min(lockBytes_, size() - lockOffset_);
    const uint32_t secondSize = lockBytes_ - firstSize;
    std::lock_guard guard(device_->lock_);
    if (lost_) return false;
    std::memcpy(memory_.data() + lockOffset_, firstPart, std::min(firstWritten, firstSize));
    if (secondPart != nullptr) std::memcpy(memory_.data(), staging_.data(), std::min(secondWritten, secondSize));
    return true;
}

bool SoundBuffer::play(const bool& looping) {
    if (device_ == nullptr) return false;
    std::lock_guard guard(device_->lock_);
    if (lost_) return false;
    playing_ = true;
    looping_ = looping;
    return true;
}

bool SoundBuffer::stop() {
    if (device_ == nullptr) return true;
    std::lock_guard guard(device_->lock_);
    playing_ = false;
    return true;
}

bool SoundBuffer::setCurrentPosition(const uint32_t& offset) {
    if (device_ == nullptr || offset >= size()) return false;
    std::lock_guard guard(device_->lock_);
    if (lost_) return false;
    cursorFrame_ = std::min(offset / bytesPerFrame_, frames_ - 1);
    cursorFraction_ = 0;
    return true;
}

bool SoundBuffer::getCurrentPosition(uint32_t& playCursor) const {
    if (device_ == nullptr) return false;
    std::lock_guard guard(device_->lock_);
    if (lost_) return false;
    playCursor = cursorFrame_ * bytesPerFrame_;
    return true;
}

bool SoundBuffer::isPlaying() const {
    if (device_ == nullptr) return false;
    std::lock_guard guard(device_->lock_);
    return playing_;
}

bool SoundBuffer::isLost() const {
    if (device_ == nullptr) return true;
    std::lock_guard guard(device_->lock_);
    return lost_;
}

bool SoundBuffer::restore() {
    if (device_ == nullptr || restoreFails_) return false;
    std::lock_guard guard(device_->lock_);
    if (!lost_) return true;
    lost_ = false;
    std::fill(memory_.begin(), memory_.end(), format_.bitsPerSample == 8 ? 0x80 : 0);
    cursorFrame_ = 0;
    cursorFraction_ = 0;
    return true;
}

void SoundBuffer::setLost(const bool& lost) {
    if (device_ == nullptr) return;
    std::lock_guard guard(device_->lock_);
    lost_ = lost;
    if (lost) playing_ = false;
}

int32_t SoundBuffer::sampleAt(const uint32_t& frame) const {
    const uint8_t* bytes = memory_.data() + static_cast<size_t>(frame) * bytesPerFrame_;
    int32_t sum = 0;
    for (uint32_t channel = 0; channel < format_.channels; ++channel) {
        if (format_.bitsPerSample == 8) {
            sum += (static_cast<int32_t>(bytes[channel]) - 128) * 256;
        } else {
            sum += static_cast<int16_t>(static_cast<uint16_t>(bytes[2 * channel] | bytes[2 * channel + 1] << 8));
        }
    }
    return sum / static_cast<int32_t>(format_.channels);
}

void SoundBuffer::mixInto(int32_t* const& mix, const uint32_t& frames, const uint32_t& outputRate) {
    if (!playing_ || lost_ || frames_ == 0) return;
    const uint64_t step = (static_cast<uint64_t>(format_.sampleRate) << FRACTION_BITS) / outputRate;
    const uint64_t fractionMask = (uint64_t{1} << FRACTION_BITS) - 1;
    uint64_t position = static_cast<uint64_t>(cursorFrame_) << FRACTION_BITS | cursorFraction_;
    for (uint32_t i = 0; i < frames; ++i) {
        const uint32_t frame = static_cast<uint32_t>(position >> FRACTION_BITS);
        const uint32_t next = frame + 1 < frames_ ? frame + 1 : looping_ ? 0 : frame;
        const int64_t here = sampleAt(frame);
        const int64_t there = sampleAt(next);
        const int64_t weight = static_cast<int64_t>((position & fractionMask) >> 16);
        mix[i] += static_cast<int32_t>(here + (((there - here) * weight) >> 16));
        position += step;
        const uint64_t reached = position >> FRACTION_BITS;
        if (reached >= frames_) {
            if (!looping_) {
                // A buffer played once stops at its end and stands at its start again.
                playing_ = false;
                position = 0;
                break;
            }
            position = (reached % frames_) << FRACTION_BITS | (position & fractionMask);
        }
    }
    cursorFrame_ = static_cast<uint32_t>(position >> FRACTION_BITS);
    cursorFraction_ = static_cast<uint32_t>(position & fractionMask);
}

}  // namespace platform
