// X protocol errors that must not end the program: by default Xlib prints
// an error from any request and exits, so one refused request (an icon too
// large for the server) would take the game and the player's score with it.
#pragma once

namespace platform {

// Installs, once the X connection is open, an error handler that writes one
// line on standard error and lets the program go on. Needs no X headers or
// libraries at build time: the handler is set through the Xlib the video
// driver loaded. False when no Xlib is loaded.
bool surviveXErrors();

}  // namespace platform
