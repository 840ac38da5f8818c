// A clock the test moves by hand and an event source that delivers scripted
// messages at their times, waiting being what moves the clock on: the frame
// loop runs through whole seconds at once, to the millisecond.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>

#include "platform/loop/clock.h"
#include "platform/loop/message_queue.h"

class ManualClock : public platform::Clock {
public:
    uint32_t milliseconds() override { return now; }
    uint32_t now = 1000;
};

class ScriptedInput : public platform::EventSource {
public:
    explicit ScriptedInput(ManualClock& clock) : clock_(clock) {}

    // The message happens at time, and carries it.
    void at(uint32_t time, uint32_t message, uintptr_t first = 0, intptr_t second = 0) {
        script_.emplace(time, platform::Message{nullptr, message, first, second, time});
    }
    void pollEvents(platform::MessageQueue& queue) override {
        while (!script_.empty() && static_cast<int32_t>(script_.begin()->first - clock_.now) <= 0) {
            queue.post(script_.begin()->second);
            script_.erase(script_.begin());
        }
    }
    void waitEvents(platform::MessageQueue& queue, int timeout) override {
        if (timeout < 0) ++blockingWaits;
        ASSERT_FALSE(timeout < 0 && script_.empty()) << "waiting for ever with nothing left to arrive";
        const uint32_t next = script_.empty() ? UINT32_MAX : script_.begin()->first;
        const uint32_t until = timeout < 0 ? next : std::min(next, clock_.now + static_cast<uint32_t>(timeout));
        if (static_cast<int32_t>(until - clock_.now) > 0) clock_.now = until;
        pollEvents(queue);
    }

    int blockingWaits = 0;

private:
    ManualClock& clock_;
    std::multimap<uint32_t, platform::Message> script_;
};
