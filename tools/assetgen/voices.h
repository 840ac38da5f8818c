// The instruments: each renders one note into a fresh buffer that the
// pieces mix at a time and gain of their choosing.
#pragma once

#include "sample_buffer.h"

namespace voices {

// Equal-tempered pitch of a MIDI note number (69 is A at 440 Hz).
double pitch(double midiNote);

// A tuned bell: inharmonic partials that ring and fade at different rates.
SampleBuffer bell(double frequency, double seconds);
// A struck wooden bar with a short, dry ring.
SampleBuffer xylophone(double frequency);
// A plucked string, harp or pizzicato; brightness from 0 (mellow) to 1.
SampleBuffer pluck(double frequency, double seconds, float brightness);
// A brass note: frequency modulation whose depth swells with the attack.
SampleBuffer brass(double frequency, double seconds);
// A soft electric-piano tone (two-operator FM with a fading index).
SampleBuffer electricPiano(double frequency, double seconds);
// A slow, warm pad of detuned partials for held chords.
SampleBuffer pad(double frequency, double seconds);
// A round bass: sine with a touch of its octave.
SampleBuffer bass(double frequency, double seconds);
// A short shaker tick of filtered noise.
SampleBuffer shaker(float brightness);

}  // namespace voices
