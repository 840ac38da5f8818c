// The short effects: the maker's jingle and the sounds of matches, chains,
// the bonus, a big clear and the end of time.
#include <vector>

#include "sounds.h"
#include "voices.h"
#include "wav_writer.h"

namespace {

bool save(const std::string& folder, const char* name, const SampleBuffer& buffer) {
    return writeWav(folder + "/" + name, buffer.toPcm(effectPeak), SampleBuffer::sampleRate);
}

// A bright rising figure on piano and bells that settles on a major chord.
SampleBuffer jingle() {
    SampleBuffer out(1.5, false);
    const double notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i) {
        out.mix(voices::electricPiano(voices::pitch(notes[i]), 0.9), 0.11 * i, 0.5f);
        out.mix(voices::bell(voices::pitch(notes[i] + 12), 0.8), 0.11 * i, 0.12f);
    }
    for (double n : {60.0, 64.0, 67.0, 72.0, 76.0})
        out.mix(voices::electricPiano(voices::pitch(n), 1.05), 0.45, 0.32f);
    out.mix(voices::bell(voices::pitch(88), 1.0), 0.45, 0.2f);
    out.mix(voices::bass(voices::pitch(48), 1.0), 0.45, 0.4f);
    out.addRoom(0.25f, 1.2f);
    return out;
}

// Many small high bells falling over each other, like a shaken bell tree.
SampleBuffer bellTree() {
    SampleBuffer out(1.4, false);
    const int steps = 18;
    for (int i = 0; i < steps; ++i) {
        const double note = 100 - i * 1.6;
        out.mix(voices::bell(voices::pitch(note), 0.7), 0.035 * i, 0.18f + 0.02f * (i % 3));
    }
    out.addRoom(0.3f, 1.0f);
    return out;
}

// A quick upward run on the xylophone over a major scale.
SampleBuffer xylophoneRun() {
    SampleBuffer out(1.1, false);
    const int scale[] = {0, 2, 4, 5, 7, 9, 11, 12, 14, 16, 17, 19};
    for (int i = 0; i < 12; ++i) out.mix(voices::xylophone(voices::pitch(72 + scale[i])), 0.042 * i, 0.5f);
    out.addRoom(0.2f, 0.8f);
    return out;
}

// A fast harp sweep over two octaves and a half of a pentatonic scale.
SampleBuffer glissando() {
    SampleBuffer out(1.7, false);
    const int scale[] = {0, 2, 4, 7, 9};
    for (int i = 0; i < 14; ++i) {
        const int note = 62 + scale[i % 5] + 12 * (i / 5);
        out.mix(voices::pluck(voices::pitch(note), 1.2, 0.6f), 0.03 * i, 0.6f);
    }
    out.addRoom(0.3f, 1.1f);
    return out;
}

// Two bright bells a fifth apart: something good has appeared.
SampleBuffer chime() {
    SampleBuffer out(1.2, false);
    out.mix(voices::bell(voices::pitch(88), 1.1), 0.0, 0.5f);
    out.mix(voices::bell(voices::pitch(95), 1.0), 0.09, 0.45f);
    out.addRoom(0.25f, 1.0f);
    return out;
}

// A short fanfare: a pickup, then a full major chord.
SampleBuffer brassChord() {
    SampleBuffer out(1.5, false);
    for (double n : {55.0, 60.0, 64.0}) out.mix(voices::brass(voices::pitch(n), 0.14), 0.0, 0.3f);
    for (double n : {48.0, 55.0, 60.0, 64.0, 67.0, 72.0}) out.mix(voices::brass(voices::pitch(n), 1.1), 0.17, 0.22f);
    out.addRoom(0.3f, 1.2f);
    return out;
}

// Plucked strings falling step by step to a low, final note.
SampleBuffer pizzicatoFall() {
    SampleBuffer out(1.6, false);
    const double notes[] = {67, 64, 60, 55, 48};
    for (int i = 0; i < 5; ++i) out.mix(voices::pluck(voices::pitch(notes[i]), i == 4 ? 0.9 : 0.4, 0.3f), 0.16 * i, 0.7f);
    out.addRoom(0.2f, 0.9f);
    return out;
}

}  // namespace

bool writeSoundEffects(const std::string& folder) {
    bool ok = save(folder, "start.wav", jingle());
    ok = save(folder, "beltree.wav", bellTree()) && ok;
    ok = save(folder, "xyloslid.wav", xylophoneRun()) && ok;
    ok = save(folder, "gliss.wav", glissando()) && ok;
    ok = save(folder, "ok.wav", chime()) && ok;
    ok = save(folder, "bigbrass.wav", brassChord()) && ok;
    ok = save(folder, "pizz.wav", pizzicatoFall()) && ok;
    return ok;
}
