// The program entry point: the command line chooses full screen or a window
// and the language; the window is shown normally.
#include <cstdio>

#include "app/command_line.h"
#include "app/entry.h"
#include "app/language.h"
#include "platform/files/data_directory.h"

int main(int argc, char** argv) {
    const CommandLine commandLine = parseCommandLine(argc, argv);
    std::fputs(commandLine.output.c_str(), stdout);
    std::fputs(commandLine.error.c_str(), stderr);
    if (!commandLine.start) return commandLine.exitCode;
    constexpr int showNormal = 1;
    // Pictures that cannot be found simply draw nothing: start regardless.
    platform::enterDataDirectory();
    Language::start(commandLine.language);
    return runProgram(nullptr, showNormal, commandLine.fullScreen,
                      MotionOptions{commandLine.classicMotion, commandLine.frameStats});
}
