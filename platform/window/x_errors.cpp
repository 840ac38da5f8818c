// The X error and connection loss handlers, installed through Xlib found at run time.
#include "platform/window/x_errors.h"

#include <atomic>
#include <cstdio>

#include <dlfcn.h>
#include <unistd.h>

namespace platform {

namespace {

// The leading fields of Xlib's XErrorEvent, in its layout.
struct XErrorReport {
    int type;
    void* display;
    unsigned long resourceId;
    unsigned long serial;
    unsigned char errorCode;
    unsigned char requestCode;
    unsigned char minorCode;
};

int reportXError(void*, XErrorReport* report) {
    if (report != nullptr) {
        std::fprintf(stderr, "quadrimo: the X server refused a request (error %u, request %u.%u); going on\n",
                     report->errorCode, report->requestCode, report->minorCode);
    }
    return 0;
}

std::atomic<void (*)()> lastWordsOnDisplayLoss{nullptr};

// Xlib would exit after this returns; ending here keeps every other
// handler of the program (which may touch X) from running.
int endOnLostConnection(void*) {
    static std::atomic<bool> ending{false};
    if (!ending.exchange(true)) {
        std::fprintf(stderr, "quadrimo: the connection to the X server was lost; storing the settings and ending\n");
        if (void (*lastWords)() = lastWordsOnDisplayLoss.load()) lastWords();
    }
    std::fflush(nullptr);
    _exit(1);
}

}  // namespace

bool surviveXErrors() {
    using Handler = int (*)(void*, XErrorReport*);
    using SetHandler = Handler (*)(Handler);
    using LossHandler = int (*)(void*);
    using SetLossHandler = LossHandler (*)(LossHandler);
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (xlib == nullptr) return false;
    auto setHandler = reinterpret_cast<SetHandler>(dlsym(xlib, "XSetErrorHandler"));
    if (setHandler != nullptr) setHandler(reportXError);
    auto setLossHandler = reinterpret_cast<SetLossHandler>(dlsym(xlib, "XSetIOErrorHandler"));
    if (setLossHandler != nullptr) setLossHandler(endOnLostConnection);
    // The video driver keeps the library loaded for the program's life.
    dlclose(xlib);
    return setHandler != nullptr && setLossHandler != nullptr;
}

void onDisplayLost(void (*lastWords)()) { lastWordsOnDisplayLoss = lastWords; }

}  // namespace platform
