// The program's command line: the choice of full screen or a window, of the
// language, of classic motion and of frame figures, the help text with the
// options and the keys, and the usage for a bad option.
#pragma once

#include <optional>
#include <string>

struct CommandLine {
    // False: print the texts and end with exitCode, without starting.
    bool start = true;
    int exitCode = 0;
    // For standard output and standard error.
    std::string output;
    std::string error;
    // Set when an option chose full screen (true) or a window (false).
    std::optional<bool> fullScreen;
    // Set when --language chose the language for this run.
    std::optional<std::string> language;
    // --classic-motion: pictures on ticks only, for this run.
    bool classicMotion = false;
    // --frame-stats: the figures of what was shown, on standard error at exit.
    bool frameStats = false;
};

CommandLine parseCommandLine(int argc, const char* const* argv);
