// Starting other programs (help viewers, the browser) without a shell and
// without waiting for them, and finding them on the PATH.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace platform {

class Launcher {
public:
    // The executable file name found in a folder of PATH, or "" when none.
    static std::string findOnPath(const std::string& name);

    // Starts arguments[0] (a path) with the arguments, in its own session,
    // with no input and its output discarded, and returns at once; the
    // child is reaped when it ends, so none is left a zombie. False when
    // it could not be started.
    static bool startDetached(const std::vector<std::string>& arguments, pid_t* startedId = nullptr);

    // Starts the commands one after another, detached, until one runs: it
    // is still running after graceMilliseconds, or it ended with status 0.
    // Returns at once; the trying goes on in a thread of its own, which
    // ends by calling finished with the index of the command that ran, or
    // -1 when none did.
    static void startFirstThatRuns(const std::vector<std::vector<std::string>>& commands,
                                   const int& graceMilliseconds, const std::function<void(int)>& finished);

    // Runs arguments[0] to its end, or kills it and every program it started
    // after timeoutMilliseconds, keeping what it wrote to its standard output. True when it ran and
    // exited with status 0.
    static bool runForOutput(const std::vector<std::string>& arguments, const int& timeoutMilliseconds,
                             std::string& output);
};

}  // namespace platform
