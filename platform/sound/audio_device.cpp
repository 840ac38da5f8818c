// The SDL audio output and its mixer: every playing buffer converted to
// the device format, summed with saturation, in SDL's audio callback.
#include "platform/sound/audio_device.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include <SDL.h>

#include "platform/reports/diagnostics.h"

namespace platform {

namespace {

// About 23 ms at 22050 Hz: short enough that effects are not late.
constexpr Uint16 OUTPUT_FRAMES = 512;
constexpr uint32_t MIX_FRAMES = 1024;
// The limits DirectSound puts on a secondary buffer.
constexpr uint32_t MIN_SAMPLE_RATE = 100;
constexpr uint32_t MAX_SAMPLE_RATE = 200000;
constexpr uint32_t MAX_BUFFER_BYTES = 0x0FFFFFFF;
// A sound server that is restarting takes a moment; trying more often
// than this would only cost frames.
constexpr uint32_t REOPEN_INTERVAL_MILLISECONDS = 3000;

std::atomic<int> openingRefusals{0};

// The libraries behind SDL (ALSA above all) write several lines to standard
// error on a machine without a sound card; the fallback's own line says all
// a player needs, so standard error is silenced while an output opens.
class QuietStandardError {
public:
    QuietStandardError() : saved_(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0)) {
        std::fflush(stderr);
        const int nothing = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nothing >= 0) {
            dup2(nothing, STDERR_FILENO);
            ::close(nothing);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved_ < 0) return;
        dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }

private:
    int saved_;
};

void SDLCALL fillOutput(void* device, Uint8* stream, int length) {
    static_cast<AudioDevice*>(device)->render(reinterpret_cast<int16_t*>(stream),
                                              static_cast<uint32_t>(length) / sizeof(int16_t));
}

}  // namespace

AudioDevice::AudioDevice(const uint32_t& sampleRate) : sampleRate_(sampleRate), mix_(MIX_FRAMES) {}

AudioDevice* AudioDevice::open(const uint32_t& sampleRate) {
    if (sampleRate < MIN_SAMPLE_RATE || sampleRate > MAX_SAMPLE_RATE) {
        recordFailure("a sample rate of " + std::to_string(sampleRate) + " cannot be played");
        return nullptr;
    }
    AudioDevice* device = new AudioDevice(sampleRate);
    bool silent = false;
    bool opened = false;
    std::string whyNot;
    {
        const QuietStandardError quiet;
        opened = device->openOutput(nullptr);
        if (!opened) {
            whyNot = lastFailure();
            silent = device->openOutput("dummy");
        }
    }
    if (silent) std::fprintf(stderr, "quadrimo: no sound output could be opened; playing without sound\n");
    device->reopens_ = opened;
    if (opened || silent) return device;
    recordFailure(whyNot + "; without sound: " + lastFailure());
    delete device;
    return nullptr;
}

AudioDevice* AudioDevice::createDetached(const uint32_t& sampleRate) {
    if (sampleRate < MIN_SAMPLE_RATE || sampleRate > MAX_SAMPLE_RATE) return nullptr;
    return new AudioDevice(sampleRate);
}

AudioDevice::~AudioDevice() {
    closeOutput();
    std::lock_guard guard(lock_);
    for (SoundBuffer* buffer : buffers_) {
        buffer->device_ = nullptr;
        buffer->playing_ = false;
    }
    buffers_.clear();
}

void AudioDevice::refuseOpenings(const int& count) { openingRefusals = count; }

bool AudioDevice::openOutput(const char* const& driver) {
    if (openingRefusals > 0) {
        --openingRefusals;
        recordFailure("the sound output was refused");
        return false;
    }
    // The default follows SDL_AUDIODRIVER or SDL's own choice; a named
    // driver is started on its own, as SDL only picks the dummy when asked.
    if (driver == nullptr) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            recordSdlFailure("SDL could not start its sound");
            return false;
        }
        ownsAudioSubsystem_ = true;
    } else {
        if (SDL_AudioInit(driver) != 0) {
            recordSdlFailure(std::string("SDL could not start its ") + driver + " sound driver");
            return false;
        }
        ownsDriver_ = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(sampleRate_);
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = OUTPUT_FRAMES;
    wanted.callback = fillOutput;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    outputId_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (outputId_ == 0) {
        recordSdlFailure("SDL could not open a sound output");
        closeOutput();
        return false;
    }
    const char* name = SDL_GetCurrentAudioDriver();
    driverName_ = name != nullptr ? name : "";
    // An output opened again while the game is minimised stays paused.
    SDL_PauseAudioDevice(outputId_, paused_ ? 1 : 0);
    return true;
}

void AudioDevice::closeOutput() {
    if (outputId_ != 0) SDL_CloseAudioDevice(outputId_);
    outputId_ = 0;
    if (ownsDriver_) SDL_AudioQuit();
    if (ownsAudioSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    ownsDriver_ = false;
    ownsAudioSubsystem_ = false;
    driverName_ = "";
}

SoundBuffer* AudioDevice::createBuffer(const SoundFormat& format, const uint32_t& bytes) {
    if (bufferRefusals_ > 0) {
        --bufferRefusals_;
        return nullptr;
    }
    const bool playable = (format.channels == 1 || format.channels == 2) &&
                          (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
                          format.sampleRate >= MIN_SAMPLE_RATE && format.sampleRate <= MAX_SAMPLE_RATE;
    if (!playable || bytes < format.channels * format.bitsPerSample / 8 || bytes > MAX_BUFFER_BYTES) return nullptr;
    SoundBuffer* buffer = new SoundBuffer(this, format, bytes);
    std::lock_guard guard(lock_);
    buffers_.push_back(buffer);
    return buffer;
}

void AudioDevice::render(int16_t* const& output, const uint32_t& frames) {
    std::lock_guard guard(lock_);
    for (uint32_t done = 0; done < frames;) {
        const uint32_t count = std::min<uint32_t>(frames - done, static_cast<uint32_t>(mix_.size()));
        std::fill_n(mix_.begin(), count, 0);
        for (SoundBuffer* buffer : buffers_) buffer->mixInto(mix_.data(), count, sampleRate_);
        for (uint32_t i = 0; i < count; ++i) {
            output[done + i] = static_cast<int16_t>(std::clamp<int32_t>(mix_[i], INT16_MIN, INT16_MAX));
        }
        done += count;
    }
}

void AudioDevice::pauseOutput(const bool& paused) {
    paused_ = paused;
    if (outputId_ != 0) SDL_PauseAudioDevice(outputId_, paused ? 1 : 0);
}

bool AudioDevice::outputPaused() const {
    return outputId_ != 0 && SDL_GetAudioDeviceStatus(outputId_) == SDL_AUDIO_PAUSED;
}

void AudioDevice::keepOutputOpen(const uint32_t& nowMilliseconds) {
    if (!reopens_) return;
    if (!outputLost_) {
        // SDL reports a device whose server went away as stopped.
        if (outputId_ != 0 && SDL_GetAudioDeviceStatus(outputId_) != SDL_AUDIO_STOPPED) return;
        outputLost_ = true;
        nextReopen_ = nowMilliseconds;
        std::fprintf(stderr, "quadrimo: the sound output went away; opening it again every few seconds\n");
    }
    if (static_cast<int32_t>(nowMilliseconds - nextReopen_) < 0) return;
    // The driver too is started afresh: its connection to the old server is dead.
    closeOutput();
    bool opened = false;
    {
        const QuietStandardError quiet;
        opened = openOutput(nullptr);
    }
    if (!opened) {
        nextReopen_ = nowMilliseconds + REOPEN_INTERVAL_MILLISECONDS;
        return;
    }
    outputLost_ = false;
    std::fprintf(stderr, "quadrimo: the sound output is back\n");
}

void AudioDevice::dropOutput() {
    if (outputId_ != 0) SDL_CloseAudioDevice(outputId_);
}

void AudioDevice::loseAllBuffers() {
    std::lock_guard guard(lock_);
    for (SoundBuffer* buffer : buffers_) {
        buffer->lost_ = true;
        buffer->playing_ = false;
    }
}

void AudioDevice::forget(SoundBuffer* const& buffer) {
    std::lock_guard guard(lock_);
    buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end());
}

}  // namespace platform
