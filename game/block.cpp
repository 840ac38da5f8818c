// The block sprite: its random kind, its resting frame and the colour
// cycling of jokers and bombs.
#include "game/block.h"

#include "app/random_generator.h"

Block::Block(Sprite* const& parent_, const int& x_, const int& y_, Image* const& image_, const int& colourCount,
             const int& framesPerColour_) {
    init(parent_, x_, y_, image_);
    create(colourCount, framesPerColour_);
}

Block::~Block() = default;

int Block::kindFromDraw(const int& r, const int& colourCount) {
    // One slot in 5 * colourCount + 1 is the joker; each colour gets five.
    const int q = r * (5 * colourCount + 1) / 32768;
    return (q + 4) / 5 + 1;
}

void Block::create(const int& colourCount, const int& framesPerColour_) {
    looping = true;
    matched = false;
    framesPerColour = framesPerColour_;
    setKind(kindFromDraw(drawRandom(), colourCount));
}

void Block::tick() {
    // Jokers and bombs step through the colour rows, one row per tick.
    if (kind == KIND_BOMB || kind == KIND_JOKER) setFrame(frame + framesPerColour);
}

int Block::getKind() { return kind; }

void Block::setKind(const int& newKind) {
    kind = newKind;
    if (kind == KIND_BOMB || kind == KIND_JOKER)
        setFrame(0);
    else
        setFrame((kind - KIND_FIRST_COLOUR) * framesPerColour);
}

bool Block::isMatched() { return matched; }

void Block::setMatched(const bool& flag) { matched = flag; }

bool Block::sameKind(Block* const& other) {
    if (other->getKind() <= KIND_JOKER || kind <= KIND_JOKER) return true;
    return other->getKind() == kind;
}
