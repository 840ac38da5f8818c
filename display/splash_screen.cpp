// The first screen: the maker's logo fades in on black, holds and fades out
// with a jingle, then the title follows; a click or key press skips it.
#include "display/splash_screen.h"

#include "app/application.h"
#include "media/image.h"
#include "media/sound.h"

namespace {

constexpr int LOGO_WIDTH = 280;
constexpr int LOGO_HEIGHT = 90;
constexpr uint32_t JINGLE_BUFFER_SECONDS = 2;
// Frames 0 to 64: the splash's own clock, one frame per tick.
constexpr int SPLASH_FRAMES = 65;

}  // namespace

SplashScreen::SplashScreen(Sprite* const& parent_, const int& x_, const int& y_, const int& screenWidth,
                           const int& screenHeight) {
    init(parent_, x_, y_, nullptr);
    create(screenWidth, screenHeight);
}

SplashScreen::~SplashScreen() {
    delete logoImage;
    delete startSound;
}

void SplashScreen::create(const int& screenWidth, const int& screenHeight) {
    width = screenWidth;
    height = screenHeight;
    fadeInFrames = 15;
    holdFrames = 30;
    fadeOutFrames = 15;
    soundFrame = 5;
    backgroundColour = 0x000000;
    frameCount = SPLASH_FRAMES;
    animating = true;

    // A missing picture or wave still runs the schedule, over whatever the
    // surface holds and in silence.
    logoImage = new Image("company.bmp", LOGO_WIDTH, LOGO_HEIGHT, 1, 1, 1);
    startSound = new Sound("start.wav", false, JINGLE_BUFFER_SECONDS);
    logoImage->createSurface();
    startSound->createBuffer();

    logo = new Sprite(this, screenWidth / 2 - logoImage->frameWidth / 2,
                      screenHeight / 2 - logoImage->frameHeight / 2, logoImage);
    allocateChildren(1);
    children[0] = logo;

    onFrameChanged();
}

int SplashScreen::logoAlphaAt(const int& f) const {
    if (f < fadeInFrames) return f * opaqueAlpha / fadeInFrames;
    if (f < fadeInFrames + holdFrames) return opaqueAlpha;
    const int end = fadeInFrames + holdFrames + fadeOutFrames;
    // Twice the fade-in's slope: the first values pass 128 and are clamped.
    if (f < end) return (end - 1 - f) * 2 * opaqueAlpha / fadeOutFrames;
    return 0;
}

void SplashScreen::onFrameChanged() {
    logo->setAlpha(logoAlphaAt(frame));
    if (frame == soundFrame) {
        if (theApplication->hasSound) startSound->play();
        return;
    }
    if (frame == frameCount - 1) leave();
}

bool SplashScreen::draw() {
    if (!theApplication->fillRect(0, 0, width, height, backgroundColour)) return false;
    return logo->draw();
}

void SplashScreen::handleEvent(const int& event) {
    if (event == EVENT_MOUSE_DOWN || event == EVENT_KEY_DOWN) leave();
}

void SplashScreen::leave() {
    animating = false;
    if (parent != nullptr) parent->nextFrame();
}
