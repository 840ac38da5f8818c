// The program entry's work: start-up, the root node, the loop and the end.
#pragma once

#include <optional>

// Starts full screen. Returns the process exit code: 0 after a normal end, 1
// after either fatal message.
int runProgram(void* const& instance, const int& showCommand);
// Starts full screen (true) or in a window as the option says, else as the
// player last left the game, else full screen.
int runProgram(void* const& instance, const int& showCommand, const std::optional<bool>& fullScreenOption);
