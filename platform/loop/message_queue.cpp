// The message queue and its waits.
#include "platform/loop/message_queue.h"

namespace platform {

void MessageQueue::postQuit(int exitCode) {
    quitPosted_ = true;
    quitCode_ = exitCode;
}

bool MessageQueue::peek() {
    if (messages_.empty() && source_ != nullptr) source_->pollEvents(*this);
    return pending();
}

bool MessageQueue::get(Message& out) {
    wait();
    if (!messages_.empty()) {
        out = messages_.front();
        messages_.pop_front();
        return true;
    }
    if (quitPosted_) {
        quitPosted_ = false;
        out = Message{nullptr, quitMessage, static_cast<uintptr_t>(quitCode_), 0};
        return false;
    }
    // Nothing can ever arrive: an empty message, which nobody handles.
    out = Message{};
    return true;
}

void MessageQueue::waitFor(int timeoutMilliseconds) {
    // The wait looks at the system's events first itself; asking it here as
    // well would cost another round trip to the display server each frame.
    if (pending() || source_ == nullptr || timeoutMilliseconds <= 0) return;
    source_->waitEvents(*this, timeoutMilliseconds);
}

void MessageQueue::wait() {
    while (!peek() && source_ != nullptr) source_->waitEvents(*this, -1);
}

}  // namespace platform
