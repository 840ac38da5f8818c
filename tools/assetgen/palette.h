// The game's one palette: deep blue grounds, warm orange accents, white text,
// and the eight block colours chosen to stay apart for colour-blind eyes too.
#pragma once

#include <array>

#include "colour.h"

namespace palette {

// The panels' own colours.
inline const Colour panelBackground = Colour::hex(0x000022);
inline const Colour panelBorder = Colour::hex(0xFF9900);
inline const Colour text = Colour::hex(0xFFFFFF);

inline const Colour deepBlue = Colour::hex(0x000A2E);
inline const Colour midBlue = Colour::hex(0x0A2A6A);
inline const Colour nightBlue = Colour::hex(0x00051A);
inline const Colour orange = Colour::hex(0xFF9900);
inline const Colour gold = Colour::hex(0xFFC24A);
inline const Colour paleOrange = Colour::hex(0xFFE0A8);
inline const Colour cellLight = Colour::hex(0x0E1C4A);
inline const Colour cellDark = Colour::hex(0x0A153A);

// Block colours by colour index (kind - 2): red, yellow, green, blue, purple,
// cyan, white, orange. Lightness and hue differ pairwise, and each colour also
// carries its own symbol.
inline const std::array<Colour, 8> blockColours = {
    Colour::hex(0xB81818), Colour::hex(0xFFE030), Colour::hex(0x40C850), Colour::hex(0x3A7CFF),
    Colour::hex(0x8E34C8), Colour::hex(0x38D8F0), Colour::hex(0xF0F0F4), Colour::hex(0xF07010),
};

}  // namespace palette
