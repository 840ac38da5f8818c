// The window on SDL: a desktop-sized borderless window in full screen (the
// picture scaled to fit with its 4:3 shape kept) or a fixed captioned window,
// an event pump that turns SDL events into window messages, and presentation
// through a streaming texture.
#pragma once

#include <cstdint>

#include "platform/window.h"

union SDL_Event;
struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform {

class SdlWindow : public Window {
public:
    // Call initialized() before use.
    explicit SdlWindow(const WindowOptions& options);
    ~SdlWindow() override;

    bool initialized() const { return renderer_ != nullptr; }

    void show(int showCommand) override;
    void resizeClient(int width, int height) override;
    void destroy() override;
    bool isDestroyed() const override { return destroyed_; }
    bool present(const Surface& picture) override;
    int desktopBitsPerPixel() const override;
    void* nativeHandle() const override { return window_; }

    void pollEvents(MessageQueue& queue) override;
    void waitEvents(MessageQueue& queue, int timeoutMilliseconds) override;

    // Posts the window messages one SDL event stands for (often none).
    void translate(const SDL_Event& event, MessageQueue& queue);

private:
    void post(MessageQueue& queue, uint32_t message, uintptr_t first, intptr_t second);
    void postDestroyOnce(MessageQueue& queue);
    void translateWindowEvent(uint8_t windowEvent, MessageQueue& queue);
    intptr_t picturePosition(int x, int y) const;
    void setIcon(const char* file);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureBits_ = 0;
    bool videoStarted_ = false;
    bool fullScreen_;
    int width_;
    int height_;
    bool destroyed_ = false;
    bool destroyPosted_ = false;
    // The key-state word of the buttons now held.
    uintptr_t heldButtons_ = 0;
    // Where the last motion or press put the pointer, in picture coordinates:
    // the wheel turns there.
    intptr_t pointer_ = 0;
};

}  // namespace platform
