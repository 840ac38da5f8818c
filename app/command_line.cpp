// The command line: --windowed and --fullscreen (the last one given wins),
// --language CODE, --classic-motion, --frame-stats, --help, and usage on
// standard error with exit code 2 for anything else.
#include "app/command_line.h"

#include <cstring>

namespace {

const char* const usage =
    "Usage: quadrimo [--windowed | --fullscreen] [--language CODE] [--classic-motion] [--frame-stats] | --help\n";

const char* const help =
    "Quadrimo: turn groups of four blocks until four of one colour stand at the\n"
    "corners of a square.\n"
    "\n"
    "Options:\n"
    "  --windowed      start in a window\n"
    "  --fullscreen    start in full screen\n"
    "  --language CODE play in the language CODE (such as de, fr or pt_BR) this\n"
    "                  time; C or en for English\n"
    "  --classic-motion\n"
    "                  show pictures only on the game's 15 ticks a second, as\n"
    "                  the dword \"smoothMotion\"=0 in the settings file does for\n"
    "                  every run; by default moves and fades are also drawn\n"
    "                  between ticks, at the screen's refresh rate\n"
    "  --frame-stats   print figures of the pictures shown on standard error at\n"
    "                  exit\n"
    "  --help          show this help and end\n"
    "Without an option the game starts the way it was last left (full screen the\n"
    "first time), in the desktop's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).\n"
    "\n"
    "Keys:\n"
    "  Left / right mouse button   turn the group under the pointer anticlockwise /\n"
    "                              clockwise\n"
    "  Arrow keys                  move the cursor from group to group\n"
    "  Z / X                       turn the group at the cursor anticlockwise /\n"
    "                              clockwise\n"
    "  Space (held)                show the matches one move could make\n"
    "  P, Pause, Escape            pause the game; any key or click resumes\n"
    "  Ctrl+W                      leave the game for the title, as its Exit button\n"
    "  Up, Down, Tab               move the highlight in the menu and the options\n"
    "  Enter, Space                press the highlighted button (Enter presses OK\n"
    "                              when none is highlighted)\n"
    "  F11, Alt+Enter              switch between full screen and a window\n"
    "  Ctrl+Q                      quit\n"
    "\n"
    "Game controller:\n"
    "  D-pad, left stick           move the cursor or the highlight\n"
    "  A                           turn anticlockwise, or press\n"
    "  B                           turn clockwise\n"
    "  X (held)                    show the matches\n"
    "  Start                       pause and resume\n"
    "  Back                        as Escape\n";

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i] != nullptr ? argv[i] : "";
        if (std::strcmp(argument, "--windowed") == 0) {
            line.fullScreen = false;
        } else if (std::strcmp(argument, "--fullscreen") == 0) {
            line.fullScreen = true;
        } else if (std::strcmp(argument, "--language") == 0 && i + 1 < argc && argv[i + 1] != nullptr) {
            line.language = argv[++i];
        } else if (std::strncmp(argument, "--language=", 11) == 0) {
            line.language = argument + 11;
        } else if (std::strcmp(argument, "--classic-motion") == 0) {
            line.classicMotion = true;
        } else if (std::strcmp(argument, "--frame-stats") == 0) {
            line.frameStats = true;
        } else if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            CommandLine helpOnly;
            helpOnly.start = false;
            helpOnly.output = std::string(usage) + "\n" + help;
            return helpOnly;
        } else {
            CommandLine refused;
            refused.start = false;
            refused.exitCode = 2;
            refused.error = "quadrimo: unknown option '" + std::string(argument) + "'\n" + usage;
            return refused;
        }
    }
    return line;
}
