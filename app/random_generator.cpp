// The program's one random generator.
#include "app/random_generator.h"

namespace {
uint32_t state = 0;
}

void seedRandom(uint32_t seed) { state = seed; }

int drawRandom() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

uint32_t randomState() { return state; }
