// The thread's message queue: window messages posted by the event pump (or
// by tests), the quit flag, and the waits the frame loop uses between frames.
#pragma once

#include <cstdint>
#include <deque>

namespace platform {

class Window;
class MessageQueue;

// The number of the quit message, as on Windows.
constexpr uint32_t quitMessage = 0x0012;

struct Message {
    Window* window = nullptr;
    uint32_t message = 0;
    uintptr_t firstParameter = 0;
    intptr_t secondParameter = 0;
    // The clock's reading (Clock::current) when the event happened.
    uint32_t time = 0;
};

// Where messages come from: the window's event pump.
class EventSource {
public:
    virtual ~EventSource() = default;
    // Posts the messages of every event that is waiting, without blocking.
    virtual void pollEvents(MessageQueue& queue) = 0;
    // Blocks until at least one event arrives (and posts its messages) or
    // timeoutMilliseconds pass; a negative timeout waits for ever.
    virtual void waitEvents(MessageQueue& queue, int timeoutMilliseconds) = 0;
};

class MessageQueue {
public:
    // Not owned; nullptr leaves only the messages posted directly.
    void setSource(EventSource* source) { source_ = source; }

    void post(const Message& message) { messages_.push_back(message); }
    // Like the platform's quit message, it is delivered once every message
    // posted before or after it has been taken.
    void postQuit(int exitCode);

    // Whether a message (or the quit) waits, after collecting pending events.
    bool peek();
    // Takes the next message, waiting for one if none is there. False for the
    // quit message, whose exit code is then in out.firstParameter.
    bool get(Message& out);
    // Returns when a message waits or the timeout has passed.
    void waitFor(int timeoutMilliseconds);
    // Returns when a message waits.
    void wait();

private:
    bool pending() const { return !messages_.empty() || quitPosted_; }

    std::deque<Message> messages_;
    EventSource* source_ = nullptr;
    bool quitPosted_ = false;
    int quitCode_ = 0;
};

}  // namespace platform
