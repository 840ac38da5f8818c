// The error message box through SDL, or standard error without a display.
#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <utility>

#include "platform/window.h"

namespace platform {

namespace {

std::function<void(const char*, const char*)>& handlerSlot() {
    static std::function<void(const char*, const char*)> handler;
    return handler;
}

}  // namespace

void showErrorMessage(const Window* owner, const char* caption, const char* text) {
    if (caption == nullptr) caption = "";
    if (text == nullptr) text = "";
    if (handlerSlot()) {
        handlerSlot()(caption, text);
        return;
    }
    SDL_Window* parent = nullptr;
    if (owner != nullptr && !owner->isDestroyed()) parent = static_cast<SDL_Window*>(owner->nativeHandle());
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, parent) == 0) return;
    std::fprintf(stderr, "%s\n\n%s\n", caption, text);
}

void setErrorMessageHandler(std::function<void(const char*, const char*)> handler) {
    handlerSlot() = std::move(handler);
}

}  // namespace platform
