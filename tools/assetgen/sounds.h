// The game's sounds: the effects and the looping music, each written as a
// 22050 Hz mono 16-bit wave file into the given folder.
#pragma once

#include <string>

bool writeSoundEffects(const std::string& folder);
bool writeMusic(const std::string& folder);

// Effects peak at this fraction of full scale, the music well below them.
constexpr float effectPeak = 0.85f;
constexpr float musicPeak = 0.4f;
