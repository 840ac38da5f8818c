// X protocol errors that must not end the program: by default Xlib prints
// an error from any request and exits, so one refused request (an icon too
// large for the server) would take the game and the player's score with it.
// And the loss of the X connection, after which Xlib ends the program
// whatever its handler does: what must not be lost is stored first.
#pragma once

namespace platform {

// Installs, once the X connection is open, an error handler that writes one
// line on standard error and lets the program go on, and a handler for the
// connection's loss that says so, calls the last words given to
// onDisplayLost once and ends the program with exit code 1. Needs no X
// headers or libraries at build time: the handlers are set through the Xlib
// the video driver loaded. False when no Xlib is loaded.
bool surviveXErrors();

// What to do when the display connection is lost for good (the X server
// died, or the session ended before any signal came). It must not touch
// the display: the program ends right after it.
void onDisplayLost(void (*lastWords)());

}  // namespace platform
