// The window on SDL: a desktop-sized borderless window in full screen or a
// resizable captioned window, switched between the two at any moment (the
// picture scaled to fit with its 4:3 shape kept), an event pump that turns
// SDL events into window messages, and presentation of only what changed:
// scaled by our own scaler into the window's pixels, or through a streaming
// texture where a graphics card does the scaling.
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
    void chooseWindowedSize(const WindowOptions& options);
    void coverScreen();
    void leaveFullScreen();
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
    bool fullScreen_;
    int width_;
    int height_;
    // The client size when not full screen, and whether it was ever used.
    int windowedWidth_;
    int windowedHeight_;
    bool beenWindowed_;
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
