// The error message box through SDL, or standard error without a display.
#include "platform/desktop/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <utility>

#include "platform/window/window.h"

namespace platform {

namespace {

std::function<void(const char*, const char*)>& handlerSlot() {
    static std::function<void(const char*, const char*)> handler;
    return handler;
}

// Shows the box (or hands it to the test's handler); false when no box could be shown.
bool showBox(const Window* owner, const char* caption, const char* text) {
    if (handlerSlot()) {
        handlerSlot()(caption, text);
        return true;
    }
    SDL_Window* parent = nullptr;
    if (owner != nullptr && !owner->isDestroyed()) parent = static_cast<SDL_Window*>(owner->nativeHandle());
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, parent) == 0;
}

}  // namespace

void showErrorMessage(const Window* owner, const char* caption, const char* text) {
    if (caption == nullptr) caption = "";
    if (text == nullptr) text = "";
    if (!showBox(owner, caption, text)) std::fprintf(stderr, "%s\n\n%s\n", caption, text);
}

void reportErrorMessage(const Window* owner, const char* caption, const char* text, const char* detail) {
    if (caption == nullptr) caption = "";
    if (text == nullptr) text = "";
    if (detail == nullptr) detail = "";
    std::fprintf(stderr, "%s\n\n%s\n\n%s\n", caption, text, detail);
    std::fflush(stderr);
    showBox(owner, caption, text);
}

void setErrorMessageHandler(std::function<void(const char*, const char*)> handler) {
    handlerSlot() = std::move(handler);
}

}  // namespace platform
