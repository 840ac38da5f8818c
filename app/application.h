// The one application object: window, display and sound devices, settings
// store, canvas state, input state and the paced frame loop.
#pragma once

#include <cstdint>

#include "app/events.h"

namespace platform {
class Window;
class DisplayDevice;
class Surface;
class AudioDevice;
class SettingsStore;
class DrawContext;
class Pen;
class Font;
class MessageQueue;
}  // namespace platform

class Sprite;
class PicturePacer;

class Application {
public:
    Application(const bool& fullScreen, const int& width, const int& height, const int& bitsPerPixel,
                const int& backBufferCount, const int& framesPerSecond, const int& channels,
                const int& samplesPerSecond, const int& bitsPerSample, void* const& instance,
                const int& showCommand);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    virtual ~Application();

    // Main loop and frames.
    int run();
    bool runFrame();
    bool present();
    // Draws the node tree into picture as it looks between two ticks, over
    // the last tick's picture when fromTickPicture (else over what picture
    // holds, cut to its clip); changes nothing else. False when it could not
    // be drawn: such a picture is dropped, and nothing is restored.
    bool drawBetweenTicks(platform::Surface& picture, const double& fraction, const bool& fromTickPicture);

    // Window.
    bool createWindow(void* const& instance, const int& showCommand);
    void resizeClient(const int& width, const int& height);
    void closeWindow();
    // Full screen to window or back, keeping the back buffer, the node tree
    // and the sound as they are.
    void switchFullScreen();

    // Display device.
    bool createDisplay();
    bool createSurfaces();
    bool releaseSurfaces();
    bool releaseDisplay();
    bool restoreSurfaces();

    // Sound device.
    bool createSoundDevice();
    bool releaseSoundDevice();

    // Settings store: each returns the status of its last store call, 0 for success.
    long openSettings();
    long closeSettings();
    // Closes like closeSettings, but changes that cannot be stored now are
    // dropped rather than kept for a later close: for a caller that keeps its
    // own record and redoes the change on the values stored by then.
    long closeSettingsDroppingUnstored();
    long readStringSetting(const char* const& name, char* const& buffer, const uint32_t& capacity);
    long readDwordSetting(const char* const& name, void* const& buffer, const uint32_t& size);
    long readBinarySetting(const char* const& name, void* const& buffer, const uint32_t& size);
    long writeStringSetting(const char* const& name, const char* const& text);
    long writeDwordSetting(const char* const& name, const void* const& buffer, const uint32_t& size);
    long writeBinarySetting(const char* const& name, const void* const& buffer, const uint32_t& size);
    // Stores the sound switch, the window mode and the window's size, and
    // whatever could not be stored earlier; the end of the program does.
    void saveSettings();

    // Help.
    void showHelp();

    // Canvas drawing on the back buffer; colours are 0xRRGGBB.
    bool fillRect(const int& x, const int& y, const int& width, const int& height, const uint32_t& colour);
    bool beginDraw();
    bool endDraw();
    bool setPen(const int& width, const uint32_t& colour);
    bool releasePen();
    bool drawLine(const int& x1, const int& y1, const int& x2, const int& y2);
    bool setFont(const char* const& face, const int& height, const uint32_t& colour);
    bool releaseFont();
    bool drawText(const int& left, const int& top, const int& right, const int& bottom, const int& alignment,
                  const char* const& text);
    // As drawText, for texts written in UTF-8 (the translations).
    bool drawUtf8Text(const int& left, const int& top, const int& right, const int& bottom, const int& alignment,
                      const char* const& text);
    bool drawNumber(const int& left, const int& top, const int& right, const int& bottom, const int& alignment,
                    const uint32_t& value);
    bool measureText(const char* const& text, const int& length, const char* const& face, const int& height,
                     int& outWidth, int& outHeight);

    // Fields, in the order the rest of the program knows them.
    bool initialized = false;
    bool fullScreen;
    int width;
    int height;
    int bitsPerPixel;
    int displayBits;
    int framesPerSecond;
    int frameInterval;
    uint32_t lastFrameTime = 0;
    bool hasSound = true;
    int channels;
    int samplesPerSecond;
    int bitsPerSample;
    void* instance;
    platform::Window* window = nullptr;
    platform::DrawContext* backBufferDC = nullptr;
    platform::Pen* pen = nullptr;
    platform::Pen* previousPen = nullptr;
    platform::Font* font = nullptr;
    platform::Font* previousFont = nullptr;
    platform::SettingsStore* settingsKey = nullptr;
    platform::DisplayDevice* directDraw = nullptr;
    platform::Surface* primarySurface = nullptr;
    platform::Surface* backBuffer = nullptr;
    int backBufferCount;
    platform::AudioDevice* directSound = nullptr;
    bool active = true;
    int mouseX = 0;
    int mouseY = 0;
    int mouseButtons = 0;
    int keyCode = 0;
    int charCode = 0;
    // MODIFIER_* bits held at the last key message.
    int keyModifiers = 0;
    // Notches of the last wheel turn, positive away from the user.
    int wheelSteps = 0;
    // The thread's message queue, fed by the window's event pump.
    platform::MessageQueue* messages = nullptr;
    // The window's client size when not full screen, kept between runs as
    // "windowWidth" and "windowHeight" (0: let the window choose).
    int windowWidth = 0;
    int windowHeight = 0;
    // The key of a shell shortcut now held: its repeats and its release are
    // the shell's too, never the game's.
    int shortcutKeyHeld = 0;
    // Runs the frames and the pictures between them when set (not owned); the
    // frame loop alone presents on ticks only.
    PicturePacer* pacer = nullptr;
    // While a picture between two ticks is drawn: set, with how far (0 to 1)
    // the time has come from the last tick towards the next.
    bool drawingBetweenTicks = false;
    double betweenTicksFraction = 0;
    // Set by a screen whose own drawing (not its nodes') changes between this
    // tick's picture and the next: during the tick, so that pictures come
    // between ticks, and while drawing one, so that the next is drawn whole.
    bool changesBetweenTicks = false;

private:
    // Frees the canvas's context, pen and font if a drawing was left open.
    void releaseCanvas();
    // Milliseconds the loop may wait for input before the next frame is due.
    int timeUntilNextFrame();
};

// The one application and the root of the node tree.
extern Application* theApplication;
extern Sprite* theRootNode;

// Full screen (true) or a window, as the player last left the game; full
// screen when nothing was stored.
bool readFullScreenChoice();

// Whether the program draws pictures between ticks: the stored "smoothMotion"
// dword, created as 1 (yes) when missing; a value of another type keeps yes.
bool readSmoothMotionChoice(Application& application);

// The window procedure: stores the input state and passes events to the root.
long windowProc(platform::Window* const& window, const uint32_t& message, const uintptr_t& firstParameter,
                const intptr_t& secondParameter);

// Opens an address in the user's browser without waiting for it.
void openWebPage(const char* const& address);

// The maker's web site, opened by the game screen's logo button.
extern const char* const MAKER_WEB_ADDRESS;
