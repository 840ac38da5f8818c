// Shared pieces of the menu tests: a parent that deletes a reporting child
// the way the real screens do, pointer and event helpers, and store access.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "display/sprite.h"

namespace screen_test {

// Holds one child. Like the title and game screens, it deletes the child
// inside onChildDone, and like the screen manager it deletes it inside
// nextFrame, so a child that touches itself after reporting is a use after
// free that the sanitizer build reports.
class ProbeParent : public Sprite {
public:
    ProbeParent() : Sprite(nullptr, 0, 0, nullptr) { allocateChildren(1); }
    void adopt(Sprite* child) { children[0] = child; }
    Sprite* child() const { return children[0]; }
    void onChildDone(Sprite* const& reporter, const int& code) override {
        codes.push_back(code);
        if (reporter == children[0]) dropChild();
    }
    void nextFrame() override {
        ++nextFrameCalls;
        dropChild();
    }
    std::vector<int> codes;
    int nextFrameCalls = 0;

private:
    void dropChild() {
        Sprite* old = children[0];
        children[0] = nullptr;
        delete old;
    }
};

inline void pointAt(const int& x, const int& y) {
    theApplication->mouseX = x;
    theApplication->mouseY = y;
}

inline void moveTo(Sprite& node, const int& x, const int& y) {
    pointAt(x, y);
    node.handleEvent(EVENT_MOUSE_MOVE);
}

inline void pressAt(Sprite& node, const int& x, const int& y, const int& buttons = BUTTON_LEFT) {
    pointAt(x, y);
    theApplication->mouseButtons = buttons;
    node.handleEvent(EVENT_MOUSE_DOWN);
}

inline void typeText(Sprite& node, const char* text) {
    for (const char* c = text; *c != 0; ++c) {
        theApplication->charCode = static_cast<unsigned char>(*c);
        node.handleEvent(EVENT_CHAR);
    }
}

// Every key event with an ordinary key, as a player fiddling with the keyboard would send them.
inline void pressKeys(Sprite& node) {
    theApplication->keyCode = KEY_SPACE;
    theApplication->charCode = 'q';
    node.handleEvent(EVENT_KEY_DOWN);
    node.handleEvent(EVENT_CHAR);
    node.handleEvent(EVENT_KEY_UP);
}

// Starts each test from a store that has never been written.
inline void clearStore() {
    const char* home = std::getenv("XDG_DATA_HOME");
    if (home == nullptr) return;
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(home) / "Zentrio", ignored);
}

// The stored text of a value, or "<missing>" when the store does not hold it.
inline std::string storedName(const int& row) {
    const std::string valueName = "name" + std::to_string(row);
    char buffer[256] = "<missing>";
    theApplication->openSettings();
    theApplication->readStringSetting(valueName.c_str(), buffer, sizeof buffer);
    theApplication->closeSettings();
    return buffer;
}

// The stored number of a score value, or 0xDEADBEEF when the store does not hold it.
inline uint32_t storedScore(const int& row) {
    const std::string valueName = "score" + std::to_string(row);
    uint32_t value = 0xDEADBEEF;
    theApplication->openSettings();
    theApplication->readDwordSetting(valueName.c_str(), &value, sizeof value);
    theApplication->closeSettings();
    return value;
}

inline void storeRow(const int& row, const char* name, const uint32_t& score) {
    const std::string nameValue = "name" + std::to_string(row);
    const std::string scoreValue = "score" + std::to_string(row);
    theApplication->openSettings();
    theApplication->writeStringSetting(nameValue.c_str(), name);
    theApplication->writeDwordSetting(scoreValue.c_str(), &score, sizeof score);
    theApplication->closeSettings();
}

}  // namespace screen_test
