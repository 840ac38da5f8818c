// The program entry's work: start-up, the root node, the loop and the end.
#pragma once

// Returns the process exit code: 0 after a normal end, 1 after either fatal
// message.
int runProgram(void* const& instance, const int& showCommand);
