// Shared pieces of the menu tests: a parent that deletes a reporting child
// the way the real screens do, input helpers, and direct access to the store.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "display/sprite.h"
#include "support/test_application.h"

namespace screen_test {

// Deletes its one child inside onChildDone and nextFrame, as the screens and
// the screen manager do, so a child that touches itself after reporting is a
// use after free for the sanitizer build.
class ProbeParent : public Sprite {
public:
    ProbeParent() : Sprite(nullptr, 0, 0, nullptr) { allocateChildren(1); }
    void adopt(Sprite* child) { children[0] = child; }
    Sprite* child() const { return children[0]; }
    void onChildDone(Sprite* const& reporter, const int& code) override {
        codes.push_back(code);
        if (reporter == children[0]) drop();
    }
    void nextFrame() override {
        ++nextFrameCalls;
        drop();
    }
    void drop() {
        Sprite* old = children[0];
        adopt(nullptr);
        delete old;
    }
    std::vector<int> codes;
    int nextFrameCalls = 0;
};

inline void send(Sprite& node, const Event& event, const int& x, const int& y, const int& buttons = BUTTON_LEFT) {
    theApplication->mouseX = x;
    theApplication->mouseY = y;
    theApplication->mouseButtons = buttons;
    node.handleEvent(event);
}

inline void typeText(Sprite& node, const char* text) {
    for (; *text != 0; ++text) {
        theApplication->charCode = static_cast<unsigned char>(*text);
        node.handleEvent(EVENT_CHAR);
    }
}

inline void pressKeys(Sprite& node) {
    theApplication->keyCode = KEY_SPACE;
    theApplication->charCode = 'q';
    for (const Event event : {EVENT_KEY_DOWN, EVENT_CHAR, EVENT_KEY_UP}) node.handleEvent(event);
}

// Starts a test from a store that has never been written.
inline void clearStore() {
    if (const char* home = std::getenv("XDG_DATA_HOME")) {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(home) / "Zentrio", ignored);
    }
}

// The stored name and score of a row ("?" and 0xDEADBEEF for a missing value).
inline std::pair<std::string, uint32_t> storedRow(const int& row) {
    char name[256] = "?";
    uint32_t score = 0xDEADBEEF;
    theApplication->openSettings();
    theApplication->readStringSetting(("name" + std::to_string(row)).c_str(), name, sizeof name);
    theApplication->readDwordSetting(("score" + std::to_string(row)).c_str(), &score, sizeof score);
    theApplication->closeSettings();
    return {name, score};
}

inline void storeRow(const int& row, const char* name, const uint32_t& score) {
    theApplication->openSettings();
    theApplication->writeStringSetting(("name" + std::to_string(row)).c_str(), name);
    theApplication->writeDwordSetting(("score" + std::to_string(row)).c_str(), &score, sizeof score);
    theApplication->closeSettings();
}

// A panel of type Panel opened under a ProbeParent, on a fresh store.
template <typename Panel>
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override { clearStore(); }
    template <typename... Arguments>
    void open(const Arguments&... arguments) {
        panel = new Panel(&parent, arguments...);
        parent.adopt(panel);
    }
    TestApplication application;
    ProbeParent parent;
    Panel* panel = nullptr;
};

}  // namespace screen_test
