// The first screen: the maker's logo fades in on black, holds and fades out
// with a jingle, then the title follows; a click or key press skips it.
#pragma once

#include <cstdint>

#include "display/sprite.h"

class Sound;

class SplashScreen : public Sprite {
public:
    SplashScreen(Sprite* const& parent, const int& x, const int& y, const int& screenWidth,
                 const int& screenHeight);
    ~SplashScreen() override;

    void create(const int& screenWidth, const int& screenHeight);
    void onFrameChanged() override;
    bool draw() override;
    void handleEvent(const int& event) override;

    Image* logoImage = nullptr;
    Sound* startSound = nullptr;
    Sprite* logo = nullptr;
    uint32_t backgroundColour = 0;
    int fadeInFrames = 15;
    int holdFrames = 30;
    int fadeOutFrames = 15;
    int soundFrame = 5;

private:
    int logoAlphaAt(const int& f) const;
    // Hands over to the next screen; the parent deletes this one during the call.
    void leave();
};
