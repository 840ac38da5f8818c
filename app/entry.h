// The program entry's work: start-up, the root node, the loop and the end.
#pragma once

#include <optional>

// Starts full screen, with pictures between ticks unless the stored choice
// says otherwise. Returns the process exit code: 0 after a normal end, 1
// after either fatal message.
int runProgram(void* const& instance, const int& showCommand);

// How the pictures are paced, as the command line asks.
struct MotionOptions {
    // Pictures on ticks only, whatever the stored "smoothMotion" says.
    bool classicMotion = false;
    // The figures of what was shown, on standard error at exit.
    bool frameStats = false;
};

// Starts full screen (true) or in a window as the option says, else as the
// player last left the game, else full screen. Pictures come between ticks
// too unless the options or the stored choice ask for classic motion.
int runProgram(void* const& instance, const int& showCommand, const std::optional<bool>& fullScreenOption,
               const MotionOptions& motion = {});
