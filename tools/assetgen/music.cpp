// The background music: a calm sixteen-bar piece for piano, pad, bass and a
// soft melody, mixed into a looping buffer so that its end flows into its start.
#include <vector>

#include "sounds.h"
#include "voices.h"
#include "wav_writer.h"

namespace {

constexpr double beatsPerMinute = 96;
constexpr double beat = 60.0 / beatsPerMinute;
constexpr int beatsPerBar = 4;
constexpr int bars = 16;

struct Chord {
    int root;            // MIDI note of the bass
    std::vector<int> tones;  // the voicing, around middle C
};

struct Note {
    double startBeat;
    double lengthBeats;
    int pitch;
};

const std::vector<Chord>& progression() {
    static const std::vector<Chord> chords = {
        {36, {64, 67, 71, 72}}, {45, {60, 64, 67, 69}}, {38, {62, 65, 69, 72}}, {43, {62, 65, 67, 71}},
        {36, {64, 67, 71, 72}}, {45, {60, 64, 67, 69}}, {41, {60, 64, 65, 69}}, {43, {62, 65, 67, 69}},
        {41, {60, 64, 65, 69}}, {40, {59, 62, 64, 67}}, {38, {60, 62, 65, 69}}, {36, {60, 64, 67, 71}},
        {41, {60, 64, 65, 69}}, {40, {59, 62, 64, 67}}, {38, {60, 62, 65, 69}}, {43, {59, 62, 65, 67}},
    };
    return chords;
}

// The tune, in beats from the start of the loop; the last phrase leads back to the first.
const std::vector<Note>& melody() {
    static const std::vector<Note> notes = {
        {0, 1.5, 76},   {1.5, 0.5, 79}, {2, 2, 81},     {4, 1, 79},     {5, 1, 76},     {6, 2, 72},
        {8, 1.5, 74},   {9.5, 0.5, 76}, {10, 1, 77},    {11, 1, 76},    {12, 3, 74},
        {16, 1.5, 76},  {17.5, 0.5, 79}, {18, 2, 84},   {20, 1, 83},    {21, 1, 81},    {22, 2, 76},
        {24, 1, 77},    {25, 1, 76},    {26, 1, 74},    {27, 1, 72},    {28, 3, 74},
        {32, 2, 81},    {34, 1, 79},    {35, 1, 77},    {36, 2, 79},    {38, 2, 76},
        {40, 1.5, 77},  {41.5, 0.5, 76}, {42, 1, 74},   {43, 1, 72},    {44, 4, 72},
        {48, 2, 81},    {50, 1, 79},    {51, 1, 77},    {52, 1, 79},    {53, 1, 81},    {54, 2, 84},
        {56, 1.5, 81},  {57.5, 0.5, 79}, {58, 2, 77},   {60, 2, 74},    {62, 1, 71},    {63, 1, 74},
    };
    return notes;
}

double at(double beats) { return beats * beat; }

}  // namespace

bool writeMusic(const std::string& folder) {
    const double loopSeconds = at(bars * beatsPerBar);
    SampleBuffer music(loopSeconds, true);
    for (int bar = 0; bar < bars; ++bar) {
        const Chord& chord = progression()[size_t(bar)];
        const double barStart = bar * beatsPerBar;
        // A held pad under everything; it overlaps the next bar a little and wraps at the end.
        for (int tone : chord.tones) music.mix(voices::pad(voices::pitch(tone - 12), at(4.6)), at(barStart - 0.3), 0.05f);
        // Piano chords on beats one and three, gently broken.
        for (int half = 0; half < 2; ++half)
            for (size_t i = 0; i < chord.tones.size(); ++i)
                music.mix(voices::electricPiano(voices::pitch(chord.tones[i]), at(1.9)),
                          at(barStart + 2 * half + 0.04 * double(i)), 0.11f);
        // The bass: root on one, fifth on three, and a passing note before the next bar.
        music.mix(voices::bass(voices::pitch(chord.root), at(1.9)), at(barStart), 0.45f);
        music.mix(voices::bass(voices::pitch(chord.root + 7), at(1.4)), at(barStart + 2), 0.35f);
        music.mix(voices::bass(voices::pitch(chord.root + 12), at(0.45)), at(barStart + 3.5), 0.25f);
        // Soft off-beat ticks keep the pulse.
        for (int b = 0; b < beatsPerBar; ++b) music.mix(voices::shaker(0.4f), at(barStart + b + 0.5), 0.035f);
    }
    for (const Note& note : melody()) {
        const double length = at(note.lengthBeats) + 0.3;
        music.mix(voices::electricPiano(voices::pitch(note.pitch), length), at(note.startBeat), 0.28f);
        music.mix(voices::bell(voices::pitch(note.pitch + 12), length), at(note.startBeat), 0.03f);
    }
    music.soften(5000);
    music.addRoom(0.3f, 1.8f);
    return writeWav(folder + "/music.wav", music.toPcm(musicPeak), SampleBuffer::sampleRate);
}
