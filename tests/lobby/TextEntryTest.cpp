// TextEntryTest.cpp -- text fields driven by scripted SDL-shaped events: commits, Escape, limits, compositions.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "lobby/EditHost.h"
#include "lobby/LineEdit.h"
#include "lobby/LobbyTestSupport.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetRoot.h"
#include "lobby/WidgetText.h"
#include "lobby/ggSpriteManager.h"
#include "platform/input/TextInput.h"
#include "sys/input/tmPeripheral.h"
#include "sys/input/tmTextInput.h"
#include "sys/text/tmFontFace.h"

using g2ui::EditHost;
using g2ui::MouseInput;
using g2ui::WidgetMsg;
using g2ui::WidgetRoot;
using g2ui::WidgetText;
using lobbytest::Probe;
using platform::EditKey;

namespace {

// UTF-8 spellings of the Japanese used below, and their CP932 bytes.
const char kA[] = "\xE3\x82\xA2";  // ア
const char kI[] = "\xE3\x82\xA4";  // イ
const char kU[] = "\xE3\x82\xA6";  // ウ
const char kSjisA[] = "\x83\x41";
const char kSjisI[] = "\x83\x43";
const char kSjisU[] = "\x83\x45";

class TextEntry : public ::testing::Test {
protected:
    void SetUp() override {
        if (!r.Ok()) GTEST_SKIP() << r.Error();
        tmFontFace::UseBuiltinGlyphs(true);
        tmTextInput::SetDevice(&device);
        tmPeripheral::Create();
        font = std::make_unique<g2ui::TextTextureFont>("gothic", 14, 400, 0);
        parent = std::make_unique<Probe>(WidgetRoot::GetBaseRoot(), 100, 100, 600, 200, true);
        field = MakeField("Name", 16);
    }
    void TearDown() override {
        field.reset();
        second.reset();
        parent.reset();
        lineEdit.Close();
        tmPeripheral::Destroy();
        tmTextInput::SetDevice(nullptr);
        tmFontFace::UseBuiltinGlyphs(false);
        lobbytest::ResetToolkit();
    }
    std::unique_ptr<WidgetText> MakeField(const std::string& name, uint32_t max) {
        auto f = std::make_unique<WidgetText>(&sprites, name, font.get(), 256, 16, &lineEdit, max);
        parent->AddChild(f.get());
        f->x = 10;
        f->y = 20;
        return f;
    }
    // One logic update; a click is a press in one update and a release in the next.
    void Step(float x = -1, float y = -1, bool down = false) {
        MouseInput m;
        m.x = x;
        m.y = y;
        m.down[0] = down;
        m.wasDown[0] = wasDown_;
        wasDown_ = down;
        WidgetRoot::ProcessInput(m);
    }
    void ClickField(float localX = 3) {
        Step(110 + localX, 125, true);
        Step(110 + localX, 125, false);
    }
    int Fixed() const {
        int n = 0;
        for (const auto& s : parent->seen) n += s.type == WidgetMsg::kAction && s.action == "EDIT_FIXED";
        return n;
    }
    lobbytest::TestRenderer r{640, 480};
    platform::ScriptedTextInput device;
    g2lobby::ggSpriteManager sprites;
    g2ui::LineEdit lineEdit;
    std::unique_ptr<g2ui::TextTextureFont> font;
    std::unique_ptr<Probe> parent;
    std::unique_ptr<WidgetText> field, second;
    bool wasDown_ = false;
};

}  // namespace

TEST_F(TextEntry, TypingThenEnterCommitsAndTheLockFollowsTheEdit) {
    EXPECT_EQ(tmPeripheral::GetInstance()->textEntryLock, 0);
    ClickField();
    ASSERT_TRUE(field->IsEditing());
    EXPECT_EQ(tmPeripheral::GetInstance()->textEntryLock, 1);
    EXPECT_TRUE(device.Active());
    device.Type("ab");
    device.Type("c");
    Step();
    EXPECT_EQ(lineEdit.GetText(), "abc");
    EXPECT_EQ(Fixed(), 0);
    // The input method is told where the caret is: after "abc" in the field at (110, 120), one cell wide.
    EXPECT_EQ(device.caretRect.x, 110 + 3 * 7);
    EXPECT_EQ(device.caretRect.y, 120);
    EXPECT_EQ(device.caretRect.width, 7);
    EXPECT_EQ(device.caretRect.height, 14);
    device.Press(EditKey::Enter);
    Step();
    EXPECT_FALSE(field->IsEditing());
    EXPECT_EQ(field->GetText(), "abc");
    EXPECT_EQ(Fixed(), 1);
    EXPECT_EQ(parent->seen.back().sender, field.get());
    EXPECT_EQ(tmPeripheral::GetInstance()->textEntryLock, 0);
    EXPECT_FALSE(device.Active());
    EXPECT_FALSE(EditHost::Instance().IsCreated());
    EXPECT_FALSE(sprites.Has("NameEdit"));
}

TEST_F(TextEntry, EnterOnAnEmptyLineCommitsAnEmptyText) {
    field->SetText("old");
    ClickField();
    device.Press(EditKey::A, false, true);
    device.Press(EditKey::Backspace);
    device.Press(EditKey::Enter);
    Step();
    EXPECT_FALSE(field->IsEditing());
    EXPECT_EQ(Fixed(), 1);
    EXPECT_EQ(field->GetText(), "");
}

TEST_F(TextEntry, EscapeCollapsesThenClearsThenMarksACancel) {
    field->SetText("keep");
    ClickField();
    device.Press(EditKey::End);
    device.Press(EditKey::Left, true);
    device.Press(EditKey::Left, true);
    Step();
    EXPECT_EQ(EditHost::Instance().GetSelStart(), 2);
    EXPECT_GT(lineEdit.GetSelectionRect().width, 0);
    // 1: a selection only collapses to its start.
    device.Press(EditKey::Escape);
    Step();
    EXPECT_EQ(lineEdit.GetText(), "keep");
    EXPECT_EQ(EditHost::Instance().GetCaret(), 2);
    EXPECT_FLOAT_EQ(lineEdit.GetSelectionRect().width, 0);
    // 2: a line with text is cleared, the edit goes on.
    device.Press(EditKey::Escape);
    Step();
    EXPECT_EQ(lineEdit.GetText(), "");
    EXPECT_TRUE(field->IsEditing());
    // 3: on an empty line only a cancel is marked; the next Enter ends the edit without keeping anything.
    device.Press(EditKey::Escape);
    Step();
    EXPECT_TRUE(field->IsEditing());
    device.Press(EditKey::Enter);
    Step();
    EXPECT_FALSE(field->IsEditing());
    EXPECT_EQ(Fixed(), 0);
    EXPECT_EQ(field->GetText(), "keep");
    // Text typed after such an Escape withdraws the cancel: its Enter commits the line.
    ClickField();
    device.Press(EditKey::A, false, true);
    device.Press(EditKey::Backspace);
    device.Press(EditKey::Escape);
    device.Type("meant");
    device.Press(EditKey::Enter);
    Step();
    EXPECT_EQ(field->GetText(), "meant");
    EXPECT_EQ(Fixed(), 1);
    // And the mark ends with its edit.
    ASSERT_TRUE(EditHost::Instance().Create(8));
    EditHost::Instance().Begin("");
    EditHost::Instance().HandleEvent({tmTextEvent::Kind::Key, "", 0, 0, 0, tmEditKey::Escape});
    EditHost::Instance().End();
    EXPECT_FALSE(EditHost::Instance().TakeCancel());
    EditHost::Instance().Destroy();
}

TEST_F(TextEntry, TheLimitNeverSplitsADoubleByteCharacter) {
    field = MakeField("Short", 5);
    ClickField();
    device.Type(std::string("a") + kA + kI);  // 1 + 2 + 2 bytes: exactly full
    device.Type(kU);                          // no room
    Step();
    EXPECT_EQ(lineEdit.GetText(), std::string("a") + kSjisA + kSjisI);
    device.Press(EditKey::Backspace);  // a whole character goes
    Step();
    EXPECT_EQ(lineEdit.GetText(), std::string("a") + kSjisA);
    device.Type(std::string(kU) + "x");  // room for 2: the character, not the x
    Step();
    EXPECT_EQ(lineEdit.GetText(), std::string("a") + kSjisA + kSjisU);
    device.Press(EditKey::Enter);
    Step();
    // One byte of room left never takes half a character.
    field = MakeField("Four", 4);
    ClickField();
    device.Type(std::string("a") + kA + kI);
    Step();
    EXPECT_EQ(lineEdit.GetText(), std::string("a") + kSjisA);
    // Typing over a selection: the selection goes, then what fits comes in.
    device.Press(EditKey::Left, true);
    device.Type(std::string(kI) + kI + kI);
    Step();
    EXPECT_EQ(lineEdit.GetText(), std::string("a") + kSjisI);
    device.Press(EditKey::Enter);
    Step();
    // SetText cuts at a boundary too, and so does an initial text longer than the limit.
    field->SetText(std::string("a") + kSjisA + kSjisI + kSjisU);
    EXPECT_EQ(field->GetText(), std::string("a") + kSjisA);
    EXPECT_TRUE(EditHost::Instance().Create(3));
    EditHost::Instance().Begin((std::string("ab") + kSjisA).c_str());
    EXPECT_EQ(EditHost::Instance().GetText(), "ab");
    EditHost::Instance().End();
    EditHost::Instance().Destroy();
}

TEST_F(TextEntry, SelectionKeysAndTheClipboard) {
    field->SetText("hello");
    ClickField();
    device.Press(EditKey::Home);
    device.Press(EditKey::Right, true);
    device.Press(EditKey::Right, true);
    device.Type("J");
    Step();
    EXPECT_EQ(lineEdit.GetText(), "Jllo");
    device.Press(EditKey::A, false, true);
    device.Press(EditKey::C, false, true);
    device.Press(EditKey::End);
    device.Press(EditKey::V, false, true);
    Step();
    EXPECT_EQ(device.clipboard, "Jllo");
    EXPECT_EQ(lineEdit.GetText(), "JlloJllo");
    device.clipboard = std::string("ab\ncd") + kA;  // a pasted line stops at its break
    device.Press(EditKey::Insert, true, false);
    Step();
    EXPECT_EQ(lineEdit.GetText(), "JlloJlloab");
    device.Press(EditKey::Home);
    device.Press(EditKey::Right, true);
    device.Press(EditKey::X, false, true);
    device.Press(EditKey::Delete);
    Step();
    EXPECT_EQ(device.clipboard, "J");
    EXPECT_EQ(lineEdit.GetText(), "loJlloab");
    // Control characters typed never enter the line.
    device.Type("\t!");
    Step();
    EXPECT_EQ(lineEdit.GetText(), "!loJlloab");
}

TEST_F(TextEntry, AJapaneseCompositionWithItsTargetClauseThenItsCommit) {
    ClickField();
    device.Type("x");
    // "ぜんかく" being typed: caret at its end, no clause yet.
    device.Compose("\xE3\x81\x9C\xE3\x82\x93\xE3\x81\x8B\xE3\x81\x8F", 4, 0);
    Step();
    EXPECT_EQ(lineEdit.GetText(), "x\x82\xBA\x82\xF1\x82\xA9\x82\xAD");
    EXPECT_FLOAT_EQ(lineEdit.GetCompositionRect().x, 7);
    EXPECT_FLOAT_EQ(lineEdit.GetCompositionRect().width, 56);
    EXPECT_FLOAT_EQ(lineEdit.GetClauseRect().width, 0);
    EXPECT_FLOAT_EQ(lineEdit.GetCaretRect().x, 63);
    // Converted to "全角", the whole of it the target clause, the caret at its start.
    device.Compose("\xE5\x85\xA8\xE8\xA7\x92", 0, 2);
    // Keys belong to the input method while it composes; clicks do not move the caret.
    device.Press(EditKey::Backspace);
    Step();
    EXPECT_EQ(lineEdit.GetText(), "x\x91\x53\x8A\x70");
    EXPECT_FLOAT_EQ(lineEdit.GetClauseRect().x, 7);
    EXPECT_FLOAT_EQ(lineEdit.GetClauseRect().width, 28);
    EXPECT_FLOAT_EQ(lineEdit.GetCaretRect().x, 7);
    lineEdit.SetCaretFromPoint(0, 5);
    EXPECT_EQ(EditHost::Instance().GetCaret(), 1);
    // The commit: the text arrives, the composition closes.
    device.Type("\xE5\x85\xA8\xE8\xA7\x92");
    device.Compose("", 0, 0);
    Step();
    EXPECT_FLOAT_EQ(lineEdit.GetCompositionRect().width, 0);
    EXPECT_FLOAT_EQ(lineEdit.GetCaretRect().x, 35);
    device.Press(EditKey::Enter);
    Step();
    EXPECT_EQ(field->GetText(), "x\x91\x53\x8A\x70");
    EXPECT_EQ(Fixed(), 1);
}

TEST_F(TextEntry, TheCaretShowsForFortyOfEverySixtyUpdates) {
    ClickField();
    int shown = 0;
    for (int i = 0; i < 60; ++i) {
        Step();
        shown += lineEdit.GetCaretRect().width > 0;
    }
    EXPECT_EQ(shown, 40);
}

TEST_F(TextEntry, OpeningADialogCancelsTheEditInProgress) {
    field->SetText("before");
    ClickField();
    device.Type("typed");
    Step();
    WidgetRoot::SetModal(true);
    WidgetRoot::BroadcastActivate();
    EXPECT_FALSE(field->IsEditing());
    EXPECT_EQ(field->GetText(), "before");
    EXPECT_EQ(Fixed(), 0);
    EXPECT_EQ(tmPeripheral::GetInstance()->textEntryLock, 0);
}

TEST_F(TextEntry, ClicksPlaceTheCaretOnTheNearestBoundaryAndClicksElsewhereCommit) {
    field->SetText(std::string("a") + kSjisA + "b");  // cells: a 0-7, ア 7-21, b 21-28
    ClickField(15);
    EXPECT_EQ(EditHost::Instance().GetCaret(), 3);  // after ア, never inside it
    Step(110 + 13, 125, true);
    Step(110 + 13, 125, false);
    EXPECT_EQ(EditHost::Instance().GetCaret(), 1);
    Step(110 + 40, 125, true);
    EXPECT_EQ(EditHost::Instance().GetCaret(), 4);
    Step(110 + 40, 125, false);
    // A click outside the field commits what is there.
    Step(500, 190, true);
    Step(500, 190, false);
    EXPECT_FALSE(field->IsEditing());
    EXPECT_EQ(Fixed(), 1);
}

TEST_F(TextEntry, OnlyOneEditRunsAtATime) {
    second = MakeField("Team", 16);
    second->y = 60;
    ClickField();
    ASSERT_TRUE(field->IsEditing());
    EXPECT_FALSE(second->SetEditable(true, true));  // the line edit is busy
    EXPECT_FALSE(EditHost::Instance().Create(8));   // and so is the edit host
    EXPECT_TRUE(EditHost::Instance().IsEditing());
    // A plain text never edits.
    WidgetText plain(&sprites, "Plain", font.get(), 64, 16);
    EXPECT_FALSE(plain.SetEditable(true, true));
    field->SetEditable(true, false);
    EXPECT_TRUE(second->SetEditable(true, true));
    EXPECT_EQ(Fixed(), 0);
    // A click on the other field commits the edit in progress and starts its own at once.
    device.Type("team");
    Step();
    ClickField();
    EXPECT_EQ(Fixed(), 1);
    EXPECT_EQ(second->GetText(), "team");
    ASSERT_TRUE(field->IsEditing());
    device.Type("name");
    Step();
    EXPECT_EQ(lineEdit.GetText(), "name");
}

TEST_F(TextEntry, AnEditingFieldDrawsItsLayersInDepthOrder) {
    ClickField();
    device.Type("ab");
    device.Press(EditKey::Left, true);
    Step();
    field->Draw(50, 60, 20);
    std::map<std::string, float> depth;
    for (const auto& d : sprites.GetDrawList()) depth[d.name] = d.depth;
    EXPECT_EQ(depth.count("NameText"), 0u);  // the plain text gives way to the edit
    EXPECT_FLOAT_EQ(depth["NameBG"], 20);
    EXPECT_FLOAT_EQ(depth["NameSL"], 21);
    EXPECT_FLOAT_EQ(depth["NameTR"], 21);
    EXPECT_FLOAT_EQ(depth["NameTC"], 23);
    EXPECT_FLOAT_EQ(depth["NameCR"], 23);
    // Not editing: the text alone, right-aligned on request.
    field->SetEditable(true, false);
    field->leftAligned = false;
    field->SetText("abc");
    field->Draw(50, 60, 20);
    EXPECT_EQ(sprites.GetDrawList().back().name, "NameText");
}

TEST_F(TextEntry, ALongCompositionIsCutAtACharacterBoundaryAndItsIndicesKeptInside) {
    ClickField();
    // 70 hiragana (140 bytes in CP932): the composition keeps 64 of them, 128 bytes.
    std::string utf8;
    for (int i = 0; i < 70; ++i) utf8 += "\xE3\x81\x82";  // あ
    device.Compose(utf8, 70, 5);                          // caret at the very end, a clause past the cut
    Step();
    std::string composition;
    ASSERT_TRUE(EditHost::Instance().GetComposition(&composition));
    EXPECT_EQ(composition.size(), 128u);
    EXPECT_EQ(EditHost::Instance().GetCompositionCursor(), 128);
    const std::vector<uint8_t> targets = EditHost::Instance().GetCompositionTargets();
    EXPECT_EQ(targets.size(), 128u);
    // A lone lead byte at the end of a composition stays one byte; the indices stay inside.
    EditHost::Instance().HandleEvent({tmTextEvent::Kind::Composition, "ab\x82", 3, 0, 3});
    ASSERT_TRUE(EditHost::Instance().GetComposition(&composition));
    EXPECT_EQ(composition, "ab\x82");
    EXPECT_LE(EditHost::Instance().GetCompositionCursor(), 3);
}
