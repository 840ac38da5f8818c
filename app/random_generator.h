// The program's one random generator: a 32-bit linear congruential sequence
// whose order of draws is part of the game's rules.
#pragma once

#include <cstdint>

// Sets the state to the seed.
void seedRandom(uint32_t seed);

// Advances the state (x = x * 214013 + 2531011) and returns (x >> 16) & 0x7FFF.
int drawRandom();

// The current state, so tests can check the order of draws.
uint32_t randomState();
