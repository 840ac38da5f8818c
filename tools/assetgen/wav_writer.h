// Writes 16-bit mono PCM samples as a canonical RIFF/WAVE file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool writeWav(const std::string& path, const std::vector<int16_t>& samples, int sampleRate);
