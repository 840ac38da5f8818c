// The program entry point: no arguments are read; the window is shown normally.
#include "app/entry.h"
#include "platform/data_directory.h"

int main() {
    constexpr int showNormal = 1;
    // Pictures that cannot be found simply draw nothing: start regardless.
    platform::enterDataDirectory();
    return runProgram(nullptr, showNormal);
}
