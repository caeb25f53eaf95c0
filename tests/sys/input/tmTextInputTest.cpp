// tmTextInputTest.cpp -- SDL-shaped text-entry events reach the game as Shift-JIS with byte offsets.
#include <gtest/gtest.h>

#include "platform/input/TextInput.h"
#include "sys/input/tmTextInput.h"

TEST(TextInputService, CompositionCharactersBecomeByteOffsets) {
    platform::ScriptedTextInput device;
    tmTextInput::SetDevice(&device);
    tmTextEvent e;
    EXPECT_FALSE(tmTextInput::Poll(&e));
    tmTextInput::Start();
    EXPECT_TRUE(tmTextInput::IsActive());
    // "aぜんかく" composing, caret after the 3rd character, clause = characters 1..4.
    device.Compose("a\xE3\x81\x9C\xE3\x82\x93\xE3\x81\x8B\xE3\x81\x8F", 3, 2);
    ASSERT_TRUE(tmTextInput::Poll(&e));
    EXPECT_EQ(e.kind, tmTextEvent::Kind::Composition);
    EXPECT_EQ(e.text.size(), 9u);
    EXPECT_EQ(e.cursor, 5);
    EXPECT_EQ(e.clauseStart, 5);
    EXPECT_EQ(e.clauseEnd, 9);
    // An emoji cannot be held: dropped, and a text event of nothing else is skipped.
    device.Type("\xF0\x9F\x98\x80");
    device.Type("x");
    device.Press(platform::EditKey::Enter);
    ASSERT_TRUE(tmTextInput::Poll(&e));
    EXPECT_EQ(e.kind, tmTextEvent::Kind::Text);
    EXPECT_EQ(e.text, "x");
    ASSERT_TRUE(tmTextInput::Poll(&e));
    EXPECT_EQ(e.key, tmEditKey::Enter);
    // Out-of-range positions clamp to the end.
    device.Compose("ab", 7, 3);
    ASSERT_TRUE(tmTextInput::Poll(&e));
    EXPECT_EQ(e.cursor, 2);
    EXPECT_EQ(e.clauseEnd, 2);
    // The clipboard is converted both ways.
    tmTextInput::SetClipboard("\x83\x41");
    EXPECT_EQ(device.clipboard, "\xE3\x82\xA2");
    EXPECT_EQ(tmTextInput::GetClipboard(), "\x83\x41");
    tmTextInput::Stop();
    EXPECT_FALSE(tmTextInput::IsActive());
    tmTextInput::SetDevice(nullptr);
    EXPECT_FALSE(tmTextInput::Poll(&e));
    EXPECT_EQ(tmTextInput::GetClipboard(), "");
}

TEST(TextInputService, AFieldStartedWhileListeningGetsTheTypedTextButNotTheKeys) {
    platform::ScriptedTextInput device;
    tmTextInput::SetDevice(&device);
    tmTextInput::Listen();
    EXPECT_TRUE(tmTextInput::IsActive());
    device.Type("x");
    EXPECT_TRUE(tmTextInput::HasText());
    tmTextInput::Listen();  // nothing opened: what came is dropped
    EXPECT_FALSE(tmTextInput::HasText());
    device.Press(platform::EditKey::Enter);
    EXPECT_FALSE(tmTextInput::HasText());
    device.Type("h");
    tmTextInput::Start();  // the key that opened the field typed its first character
    tmTextEvent e;
    ASSERT_TRUE(tmTextInput::Poll(&e));
    EXPECT_EQ(e.text, "h");
    EXPECT_FALSE(tmTextInput::Poll(&e)) << "the Enter pressed before the field opened is not its commit";
    tmTextInput::SetCaretRect(1, 2, 3, 4);
    EXPECT_EQ(device.caretRect.x, 1);
    EXPECT_EQ(device.caretRect.height, 4);
    tmTextInput::Stop();
    tmTextInput::SetDevice(nullptr);
}
