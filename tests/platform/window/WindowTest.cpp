// WindowTest.cpp -- the single-instance lock, message boxes, text conversion, key codes and scripted text entry.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "platform/input/InputDevices.h"
#include "platform/input/TextInput.h"
#include "platform/window/Window.h"

TEST(SingleInstance, OneHolderPerNameUntilReleased) {
    const std::string name = "zarvo_test_lock_" + std::to_string(getpid());
    platform::SingleInstance first, second;
    EXPECT_TRUE(first.Acquire(name));
    EXPECT_FALSE(first.Acquire(name));
    EXPECT_FALSE(second.Acquire(name));
    first.Release();
    EXPECT_TRUE(second.Acquire(name));
}

TEST(MessageBox, RecordedSinkNeverBlocksAndTextBecomesUtf8) {
    platform::RecordingMessageBoxes boxes;
    platform::SetMessageBoxSink(&boxes);
    platform::ShowMessageBox("ZARVO System error", "既に起動しています。");
    platform::SetMessageBoxSink(nullptr);
    ASSERT_EQ(boxes.shown.size(), 1u);
    // The literal is Shift-JIS at run time: 既 is 0x8A 0xF9.
    EXPECT_EQ(static_cast<uint8_t>(boxes.shown[0].text[0]), 0x8A);
    EXPECT_EQ(platform::ShiftJisToUtf8(boxes.shown[0].text),
              u8"\u65e2\u306b\u8d77\u52d5\u3057\u3066\u3044\u307e\u3059\u3002");
}

TEST(HeadlessWindow, ClosesOnRequestAndHasNoNativeWindow) {
    auto w = platform::Window::Create(platform::Window::Backend::Headless, {"t", 1366, 768, true});
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->NativeHandle(), nullptr);
    EXPECT_TRUE(w->Pump());
    EXPECT_FALSE(w->CloseRequested());
    w->RequestClose();
    EXPECT_TRUE(w->CloseRequested());
}

// A full screen larger than the picture shows it whole, shape kept, between bars; the cursor is read back
// into the picture's pixels through the same fit (the lobby's clicks land where they are seen), and a point of
// the picture (the input method's caret) goes out to the window and back to where it started.
TEST(PictureFit, APictureStandsWholeBetweenBarsAndPointsMapBothWaysThroughIt) {
    const auto same = [](platform::PictureRect r, int x, int y, int w, int h) {
        return r.x == x && r.y == y && r.w == w && r.h == h;
    };
    EXPECT_TRUE(same(platform::FitPicture(1024, 768, 1920, 1080), 240, 0, 1440, 1080));
    EXPECT_TRUE(same(platform::FitPicture(1366, 768, 1280, 1024), 0, 152, 1280, 720));
    EXPECT_TRUE(same(platform::FitPicture(1366, 768, 1366, 768), 0, 0, 1366, 768));
    int x = 960, y = 540;
    platform::WindowToPicture(x, y);  // nothing presented yet: window pixels
    platform::PictureToWindow(x, y);
    EXPECT_EQ(x * 10000 + y, 960 * 10000 + 540);
    platform::SetPresentedPicture({1024, 768, 1920, 1080, 1920, 1080});
    platform::WindowToPicture(x, y);
    EXPECT_EQ(x * 10000 + y, 512 * 10000 + 384);
    x = 100, y = 10;  // in the left bar: left of the picture
    platform::WindowToPicture(x, y);
    EXPECT_LT(x, 0);
    x = 512, y = 384;
    platform::PictureToWindow(x, y);
    EXPECT_EQ(x * 10000 + y, 960 * 10000 + 540);
    // Every point comes back: the bars' offset and a scale of 1.406, a drawable of twice the window's units
    // (HiDPI) with bars above and below, and a window showing the picture 1:1.
    const platform::PresentedPicture fits[] = {
        {1024, 768, 1920, 1080, 1920, 1080}, {1024, 600, 2560, 2048, 1280, 1024}, {1366, 768, 1366, 768, 1366, 768}};
    for (const platform::PresentedPicture& fit : fits) {
        platform::SetPresentedPicture(fit);
        int moved = 0;
        for (int py = -3; py < fit.height + 3; py += 7)
            for (int px = -3; px < fit.width + 3; px += 5) {
                int wx = px, wy = py;
                platform::PictureToWindow(wx, wy);
                platform::WindowToPicture(wx, wy);
                moved += wx != px || wy != py;
            }
        EXPECT_EQ(moved, 0) << fit.width << "x" << fit.height << " in " << fit.drawableWidth << "x"
                            << fit.drawableHeight;
    }
    x = 512, y = 300;  // the 5:4 HiDPI window: the picture's middle is the window's middle, in its units
    platform::SetPresentedPicture(fits[1]);
    platform::PictureToWindow(x, y);
    EXPECT_EQ(x * 10000 + y, 640 * 10000 + 512);
    platform::SetPresentedPicture({});
}

TEST(KeyCodes, ScanCodesMapToPcSetOne) {
    // USB usage ids (SDL scan codes) to set-1 codes.
    EXPECT_EQ(platform::SdlScancodeToDik(40), 28);   // Return
    EXPECT_EQ(platform::SdlScancodeToDik(41), 1);    // Esc
    EXPECT_EQ(platform::SdlScancodeToDik(29), 44);   // Z
    EXPECT_EQ(platform::SdlScancodeToDik(82), 200);  // Up
    EXPECT_EQ(platform::SdlScancodeToDik(80), 203);  // Left
    EXPECT_EQ(platform::SdlScancodeToDik(88), 156);  // keypad Enter
    EXPECT_EQ(platform::SdlScancodeToDik(0), 0);
}

TEST(ScriptedTextInput, EventsQueueOnlyWhileActiveAndStopDropsThem) {
    platform::ScriptedTextInput in;
    platform::TextInputEvent e;
    in.Type("a");  // not started: a field is not editing
    EXPECT_FALSE(in.Poll(&e));
    in.Start();
    in.Type("b");
    in.Compose("\xE3\x81\x82", 1, 1);
    in.Press(platform::EditKey::Left, true, false);
    ASSERT_TRUE(in.Poll(&e));
    EXPECT_EQ(e.kind, platform::TextInputEvent::Kind::Text);
    EXPECT_EQ(e.utf8, "b");
    ASSERT_TRUE(in.Poll(&e));
    EXPECT_EQ(e.kind, platform::TextInputEvent::Kind::Composition);
    EXPECT_EQ(e.start, 1);
    ASSERT_TRUE(in.Poll(&e));
    EXPECT_EQ(e.key, platform::EditKey::Left);
    EXPECT_TRUE(e.shift);
    in.Type("c");
    in.Stop();
    EXPECT_FALSE(in.Poll(&e));
    // A flood keeps only the newest events.
    in.Start();
    for (size_t i = 0; i < platform::TextInput::kMaxPending + 5; ++i) in.Type(std::to_string(i));
    ASSERT_TRUE(in.Poll(&e));
    EXPECT_EQ(e.utf8, "5");
}
