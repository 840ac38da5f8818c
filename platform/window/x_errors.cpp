// The X error handler, installed through Xlib found at run time.
#include "platform/window/x_errors.h"

#include <cstdio>

#include <dlfcn.h>

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

}  // namespace

bool surviveXErrors() {
    using Handler = int (*)(void*, XErrorReport*);
    using SetHandler = Handler (*)(Handler);
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (xlib == nullptr) return false;
    auto setHandler = reinterpret_cast<SetHandler>(dlsym(xlib, "XSetErrorHandler"));
    if (setHandler != nullptr) setHandler(reportXError);
    // The video driver keeps the library loaded for the program's life.
    dlclose(xlib);
    return setHandler != nullptr;
}

}  // namespace platform
