// One coloured block of the board: a sprite showing a frame of the block
// image, with its kind (bomb, joker or colour) and its match mark.
#pragma once

#include "display/sprite.h"

// Block kinds: 0 the bomb, 1 the joker, 2 and up the colours.
constexpr int KIND_BOMB = 0;
constexpr int KIND_JOKER = 1;
constexpr int KIND_FIRST_COLOUR = 2;

class Block : public Sprite {
public:
    Block(Sprite* const& parent, const int& x, const int& y, Image* const& image, const int& colourCount,
          const int& framesPerColour);
    ~Block() override;

    // Draws a random kind (never a bomb) and shows its resting frame.
    void create(const int& colourCount, const int& framesPerColour);
    void tick() override;

    int getKind();
    void setKind(const int& newKind);
    bool isMatched();
    void setMatched(const bool& flag);
    // Jokers and bombs are of the same kind as every block.
    bool sameKind(Block* const& other);

    // The kind a random draw r (0 to 32767) gives among colourCount colours.
    static int kindFromDraw(const int& r, const int& colourCount);

    int kind = KIND_JOKER;
    bool matched = false;
    int framesPerColour = 1;
};
