// Text field editing through events: typing, caret keys, deletion and limits.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "display/text_field.h"
#include "support/test_application.h"

namespace {

class TextFieldEditing : public ::testing::Test {
protected:
    void type(TextField& field, const std::string& s) {
        for (const char c : s) {
            application.app().charCode = static_cast<unsigned char>(c);
            field.handleEvent(EVENT_CHAR);
        }
    }
    void press(TextField& field, int key) {
        application.app().keyCode = key;
        field.handleEvent(EVENT_KEY_DOWN);
    }
    std::string textOf(TextField& field) {
        char buffer[256];
        field.getText(buffer, sizeof buffer);
        return buffer;
    }
    // The text and the caret's character index.
    std::pair<std::string, int> state(TextField& field) { return {textOf(field), field.caret}; }
    using State = std::pair<std::string, int>;
    TestApplication application;
};

}  // namespace

TEST_F(TextFieldEditing, TypingAndCaretKeysEditAtTheCaret) {
    TextField field(nullptr, 50, 100, 200, 16, true, 0xFFFFFF, 0x000000, 1, nullptr, 256);
    type(field, "abc");
    press(field, KEY_LEFT);
    press(field, KEY_LEFT);
    type(field, "X");
    EXPECT_EQ(state(field), State("aXbc", 2));
    press(field, KEY_DELETE);
    EXPECT_EQ(state(field), State("aXc", 2));
    // Backspace arrives as a key and as a character; only the key deletes.
    press(field, KEY_BACKSPACE);
    type(field, "\b");
    EXPECT_EQ(state(field), State("ac", 1));
    // Releases and other events are not edits.
    application.app().keyCode = KEY_BACKSPACE;
    field.handleEvent(EVENT_KEY_UP);
    field.handleEvent(EVENT_MOUSE_DOWN);
    EXPECT_EQ(textOf(field), "ac");
}

TEST_F(TextFieldEditing, EditsAtTheEndsAndUnprintableCharactersChangeNothing) {
    TextField field(nullptr, 0, 0, 200, 16, false, 0, 0, 1, "name", 256);
    press(field, KEY_DELETE);
    press(field, KEY_RIGHT);
    EXPECT_EQ(state(field), State("name", 4));
    for (int i = 0; i < 6; ++i) press(field, KEY_LEFT);
    press(field, KEY_BACKSPACE);
    press(field, KEY_RETURN);
    type(field, std::string("\r\t\x1b\x7f\xe9\0", 6));
    EXPECT_EQ(state(field), State("name", 0));
    type(field, " ~");
    application.app().charCode = 0x100 + 'Q';  // only the low byte counts
    field.handleEvent(EVENT_CHAR);
    EXPECT_EQ(textOf(field), " ~Qname");
}

TEST_F(TextFieldEditing, TextNeverOutgrowsItsBufferAndClearingBringsTheCaretHome) {
    TextField field(nullptr, 0, 0, 200, 16, false, 0, 0, 1, "abcdef", 4);
    EXPECT_EQ(state(field), State("abc", 3));
    type(field, "x");
    field.setCaret(1);
    type(field, "y");
    EXPECT_EQ(state(field), State("abc", 1));
    press(field, KEY_BACKSPACE);
    type(field, "yz");
    EXPECT_EQ(state(field), State("ybc", 1));

    char small[3] = {'?', '?', '?'};
    field.getText(small, 3);
    EXPECT_STREQ(small, "yb");
    field.getText(small, 1);
    EXPECT_STREQ(small, "");
    small[0] = '?';
    field.getText(small, 0);
    EXPECT_EQ(small[0], '?');

    field.setText(nullptr);
    EXPECT_EQ(state(field), State("", 0));
    EXPECT_EQ(field.caretX, 5);
    field.setText("other");
    EXPECT_EQ(state(field), State("oth", 3));

    // A field without room keeps an empty string and takes nothing.
    TextField empty(nullptr, 0, 0, 200, 16, false, 0, 0, 1, "abc", 0);
    type(empty, "a");
    EXPECT_EQ(textOf(empty), "");
}
