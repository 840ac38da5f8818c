// The program entry point: no arguments are read; the window is shown normally.
#include "app/entry.h"

int main() {
    constexpr int showNormal = 1;
    return runProgram(nullptr, showNormal);
}
