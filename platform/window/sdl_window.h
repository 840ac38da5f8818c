// The window on SDL: a desktop-sized borderless window in full screen or a
// resizable captioned window, switched between the two at any moment (the
// picture scaled to fit with its 4:3 shape kept), an event pump that turns
// SDL events into window messages, and presentation of only what changed:
// scaled by our own scaler into the window's pixels, or through a streaming
// texture where a graphics card does the scaling or the window has no pixels
// of its own.
#pragma once

#include <cstdint>

#include "platform/window/sdl_gamepad.h"
#include "platform/window/picture_scaler.h"
#include "platform/window/shown_picture.h"
#include "platform/window/window.h"

union SDL_Event;
struct SDL_WindowEvent;
struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;

namespace platform {

class SdlWindow : public Window {
public:
    // Call initialized() before use.
    explicit SdlWindow(const WindowOptions& options);
    ~SdlWindow() override;

    bool initialized() const { return ready_; }

    void show(int showCommand) override;
    void resizeClient(int width, int height) override;
    bool setFullScreen(bool fullScreen) override;
    bool windowedSize(int& width, int& height) const override;
    void destroy() override;
    bool isDestroyed() const override { return destroyed_; }
    bool present(const Surface& picture) override;
    bool present(const Surface& picture, const Rect& mayDiffer) override;
    void invalidate() override { showAll_ = true; }
    int presentCount() const override { return presentCount_; }
    int refreshRate() const override;
    int desktopBitsPerPixel() const override;
    void* nativeHandle() const override { return window_; }

    void pollEvents(MessageQueue& queue) override;
    void waitEvents(MessageQueue& queue, int timeoutMilliseconds) override;

    // Posts the window messages one SDL event stands for (often none).
    void translate(const SDL_Event& event, MessageQueue& queue);

    // Test seam: where the buttons held now are read (an SDL button mask);
    // the display server's own record by default.
    void readHeldButtonsWith(uint32_t (*reader)()) { readHeldButtons_ = reader; }
    // Whether the picture goes through a renderer (a graphics card) rather
    // than our own scaler.
    bool usesRenderer() const { return renderer_ != nullptr; }

private:
    void post(MessageQueue& queue, uint32_t message, uintptr_t first, intptr_t second);
    void postDestroyOnce(MessageQueue& queue);
    void translateWindowEvent(const SDL_WindowEvent& windowEvent, MessageQueue& queue);
    intptr_t picturePosition(int x, int y) const;
    void setIcon(const char* file);
    // Makes sure the picture can reach the window without a graphics card:
    // through its own pixels, else through any renderer. False (with the
    // reason recorded) when neither can be had.
    bool reachWindowPixels();
    void chooseWindowedSize(const WindowOptions& options);
    void coverScreen();
    // Full screen again after a minimise the window manager ignored.
    void returnToFullScreen();
    // Posts the focus loss of a full-screen window that was not minimised.
    void postFocusLossIfNotMinimised(MessageQueue& queue);
    void leaveFullScreen();
    // Asks the window manager for a client size.
    void askSize(int width, int height);
    // Sizes the window takes in the next moment answer the game's request.
    void awaitAnswer();
    void noteWindowedSize(int width, int height);
    // The key-state word of a press of button.
    uintptr_t buttonsHeldAtPress(uint8_t button);
    bool presentToWindowPixels(const Surface& picture, const Rect& mayDiffer);
    bool presentWithRenderer(const Surface& picture, const Rect& mayDiffer);
    bool failedPresent();
    void outputSize(int& width, int& height) const;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureBits_ = 0;
    bool ready_ = false;
    // The window's pixels as last scaled into, and how.
    SDL_Surface* output_ = nullptr;
    int outputWidth_ = 0;
    int outputHeight_ = 0;
    uint32_t outputFormat_ = 0;
    int scaledBits_ = 0;
    PictureScaler scaler_;
    ShownPicture shown_;
    // The screen may not hold the last picture (first frame, expose, resize,
    // restore): the next present shows all of it.
    bool showAll_ = true;
    int presentCount_ = 0;
    bool videoStarted_ = false;
    // An X server may run without a window manager to apply full screen,
    // and there SDL takes a window out of full screen to minimise it. A
    // Wayland compositor always applies it and minimises without leaving it.
    bool onX11_ = false;
    bool fullScreen_;
    int width_;
    int height_;
    // The client size when not full screen, and whether it was ever used.
    int windowedWidth_;
    int windowedHeight_;
    bool beenWindowed_;
    // Until then the window manager answers a request of the game's.
    uint32_t answersUntil_ = 0;
    // The focus left the full-screen window, which SDL asked the window
    // manager to minimise, and no minimise has come yet: since when, and
    // whether the focus loss was told after all.
    bool minimiseAsked_ = false;
    uint32_t minimiseAskedAt_ = 0;
    bool focusLossPosted_ = false;
    // The window was maximised when it went full screen: it is so again after.
    bool maximisedBeforeFullScreen_ = false;
    bool destroyed_ = false;
    bool destroyPosted_ = false;
    // The key-state word of the buttons pressed and not yet seen released.
    uintptr_t heldButtons_ = 0;
    SdlGamepads gamepads_;
    // nullptr: the display server's record.
    uint32_t (*readHeldButtons_)() = nullptr;
    // Where the last motion or press put the pointer, in picture coordinates:
    // the wheel turns there.
    intptr_t pointer_ = 0;
    // When the event being translated happened, on the frame clock.
    uint32_t eventTime_ = 0;
};

}  // namespace platform
