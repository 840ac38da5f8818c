// An in-memory picture surface, the stand-in for a DirectDraw surface:
// rectangle copies with a source colour-key range, colour fills, locking,
// a clip rectangle, and a "lost" state that makes every operation fail
// until the surface is restored.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/drawing/rect.h"

namespace platform {

class Surface {
public:
    // bitsPerPixel is 16 (5-6-5), 24 (bytes B, G, R) or 32 (bytes B, G, R, X).
    Surface(int width, int height, int bitsPerPixel);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    int bytesPerPixel() const { return bitsPerPixel_ / 8; }
    int pitch() const { return pitch_; }

    // Source pixels whose value lies in low..high are not copied by keyed blits.
    void setColourKey(uint32_t low, uint32_t high);
    bool hasColourKey() const { return hasColourKey_; }

    // Blits, fills, blends and lines and text drawn into this surface are cut
    // to this rectangle (the clipper).
    void setClip(const Rect& clip);
    void clearClip();
    // The part of wanted inside the surface and its clip.
    Rect clipFor(const Rect& wanted) const;

    // Copies sourceRect of source to the same-sized rectangle whose top-left
    // corner is (x, y) here, cut by the clip and by both surfaces' bounds.
    // With useSourceKey, source pixels in the source's key range are skipped.
    // Fails when either surface is lost or is locked.
    bool blit(int x, int y, const Surface& source, const Rect& sourceRect, bool useSourceKey);

    // Fills rect, cut by the clip and the bounds, with a raw pixel value.
    bool fill(const Rect& rect, uint32_t value);

    // Direct access to a rectangle: the address of its top-left pixel and the
    // pitch. Fails when lost, already locked, or the rectangle is outside.
    bool lock(const Rect& rect, uint8_t*& address, int& pitch);
    bool unlock();
    bool isLocked() const { return locked_; }

    // A lost surface keeps its size but its memory is gone; restoring brings
    // back zeroed memory (the owner must redraw it).
    bool isLost() const { return lost_; }
    void setLost(bool lost) { lost_ = lost; }
    bool restore();

    // Test seam: makes every later restore fail (and so the owner re-create).
    void setRestoreFails(bool fails) { restoreFails_ = fails; }

    // Raw pixel access for the presenter, the loaders and tests.
    uint8_t* pixels() { return pixels_.data(); }
    const uint8_t* pixels() const { return pixels_.data(); }
    uint32_t pixelAt(int x, int y) const;
    void setPixelAt(int x, int y, uint32_t value);

private:

    int width_;
    int height_;
    int bitsPerPixel_;
    int pitch_;
    std::vector<uint8_t> pixels_;
    bool hasColourKey_ = false;
    uint32_t keyLow_ = 0;
    uint32_t keyHigh_ = 0;
    bool hasClip_ = false;
    Rect clip_;
    bool locked_ = false;
    bool lost_ = false;
    bool restoreFails_ = false;
};

}  // namespace platform
