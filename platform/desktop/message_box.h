// The error message box; it falls back to standard error where no box can be
// shown. Tests install a handler to see the messages instead.
#pragma once

#include <functional>

namespace platform {

class Window;

// Shows caption and text with the error icon, owned by owner (may be null),
// and returns when the user has closed it.
void showErrorMessage(const Window* owner, const char* caption, const char* text);

// Writes caption, text and detail (why it happened, for a terminal or a bug
// report) to standard error, then shows caption and text as above.
void reportErrorMessage(const Window* owner, const char* caption, const char* text, const char* detail);

// Test seam: messages go to handler instead; an empty handler restores the box.
void setErrorMessageHandler(std::function<void(const char* caption, const char* text)> handler);

}  // namespace platform
