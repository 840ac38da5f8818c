// Child processes through posix_spawn with an argument vector: detached
// ones reaped by a waiting thread, a chain of them tried until one runs,
// short queries read through a pipe.
#include "platform/desktop/launcher.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

// The spawn settings every child gets: a clean signal state, no input,
// and standard error discarded so a missing browser shows nothing.
class SpawnSettings {
public:
    SpawnSettings() {
        posix_spawnattr_init(&attributes_);
        posix_spawn_file_actions_init(&actions_);
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes_, &signals);
        sigfillset(&signals);
        posix_spawnattr_setsigdefault(&attributes_, &signals);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;
    ~SpawnSettings() {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attributes_);
    }

    void detach() {
        short flags = 0;
        posix_spawnattr_getflags(&attributes_, &flags);
        posix_spawnattr_setflags(&attributes_, static_cast<short>(flags | POSIX_SPAWN_SETSID));
        posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
    }
    // A process group of its own, so that the programs it starts can be
    // stopped with it.
    void ownGroup() {
        short flags = 0;
        posix_spawnattr_getflags(&attributes_, &flags);
        posix_spawnattr_setpgroup(&attributes_, 0);
        posix_spawnattr_setflags(&attributes_, static_cast<short>(flags | POSIX_SPAWN_SETPGROUP));
    }
    // The pipe's own ends close on exec; only the copy on 1 stays open.
    void outputTo(const int& fd) { posix_spawn_file_actions_adddup2(&actions_, fd, 1); }

    bool spawn(const std::vector<std::string>& arguments, pid_t& child) {
        if (arguments.empty() || arguments[0].empty()) return false;
        std::vector<char*> argv;
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        return posix_spawn(&child, argv[0], &actions_, &attributes_, argv.data(), environ) == 0;
    }

private:
    posix_spawnattr_t attributes_;
    posix_spawn_file_actions_t actions_;
};

void reap(const pid_t& child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

std::string Launcher::findOnPath(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return std::string();
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        start = end + 1;
        // An empty entry would mean the working folder: never run programs from there.
        if (folder.empty() || folder[0] != '/') continue;
        const std::string candidate = folder + "/" + name;
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::string();
}

bool Launcher::startDetached(const std::vector<std::string>& arguments, pid_t* startedId) {
    SpawnSettings settings;
    settings.detach();
    pid_t child = 0;
    if (!settings.spawn(arguments, child)) return false;
    std::thread(reap, child).detach();
    if (startedId != nullptr) *startedId = child;
    return true;
}

void Launcher::startFirstThatRuns(const std::vector<std::vector<std::string>>& commands,
                                  const int& graceMilliseconds, const std::function<void(int)>& finished) {
    std::thread([commands, graceMilliseconds, finished] {
        for (size_t i = 0; i < commands.size(); ++i) {
            SpawnSettings settings;
            settings.detach();
            pid_t child = 0;
            if (!settings.spawn(commands[i], child)) continue;
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMilliseconds);
            int status = 0;
            pid_t ended = 0;
            while (ended != child && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                ended = waitpid(child, &status, WNOHANG);
            }
            if (ended != child) {
                // Still running: a browser that stays open has the page.
                std::thread(reap, child).detach();
            } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                continue;
            }
            finished(static_cast<int>(i));
            return;
        }
        finished(-1);
    }).detach();
}

bool Launcher::runForOutput(const std::vector<std::string>& arguments, const int& timeoutMilliseconds,
                            std::string& output) {
    output.clear();
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return false;
    SpawnSettings settings;
    settings.outputTo(pipeEnds[1]);
    settings.ownGroup();
    pid_t child = 0;
    const bool started = settings.spawn(arguments, child);
    close(pipeEnds[1]);
    if (!started) {
        close(pipeEnds[0]);
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    bool finished = false;
    while (!finished) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd readable{pipeEnds[0], POLLIN, 0};
        const int ready = poll(&readable, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        char chunk[512];
        const ssize_t got = read(pipeEnds[0], chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            finished = got == 0;
            break;
        }
        // A query answers in a line; more than this is not an answer.
        if (output.size() < 4096) output.append(chunk, static_cast<size_t>(got));
    }
    close(pipeEnds[0]);
    // The output may end before the program does; it gets the rest of its time.
    int status = 0;
    pid_t ended = 0;
    while (finished && (ended = waitpid(child, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (ended != child) {
        // A script that hangs is often waiting for a program it started:
        // the whole group goes, so that nothing is left running unowned.
        kill(-child, SIGKILL);
        reap(child);
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform
