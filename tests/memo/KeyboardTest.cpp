// The control's side of the keyboard: its key handlers come first, the caret stops blinking
// while keys are held, and the platform's clipboard carries the exact bytes.

#include <gtest/gtest.h>

#include "platform/Caret.h"
#include "platform/Clipboard.h"
#include "tests/memo/MemoInput.h"

namespace {

TEST(Keyboard, CutAndPasteKeepBytesThatAreNoUtf8) {
    // A Windows-1252 line: other programs get its UTF-8 look, a paste here the bytes.
    TInputMemo memo("caf\xE9 x\r\nend");
    memo.Go(0, 0);
    memo.Key(VK_END, kShift);
    memo.CtrlKey('X');
    EXPECT_EQ(ClipboardText(), "caf\xC3\xA9 x");
    EXPECT_EQ(ClipboardBytes(), "caf\xE9 x");
    memo.Go(3, 1);
    memo.CtrlKey('V');
    EXPECT_EQ(memo.Text(), "|endcaf\xE9 x");
    // Text another program put there comes in as its UTF-8.
    SetClipboardText("\xC3\xA9");
    memo.CtrlKey('V');
    EXPECT_EQ(memo.Text(), "|endcaf\xE9 x\xC3\xA9");
    // Lines go to other programs ending in LF; to us in CR LF.
    memo.Lines().SetText("\xE9\r\n\r\nz\r\n");
    memo.CtrlKey('A');
    memo.CtrlKey('C');
    EXPECT_EQ(ClipboardText(), "\xC3\xA9\n\nz");
    EXPECT_EQ(ClipboardBytes(), "\xE9\r\n\r\nz");
}

TEST(Keyboard, KeyHandlersComeFirstAndMayTakeTheKey) {
    TInputMemo memo("abc");
    int finds = 0;
    memo.OnFind = [&](TObject*) { ++finds; };
    memo.OnKeyDown = [](TObject*, std::uint16_t& key, TShiftState) {
        if (key == VK_RIGHT)
            key = 0;
    };
    memo.OnKeyPress = [](TObject*, char& key) {
        if (key == 'a')
            key = 'b';
    };
    memo.Key(VK_RIGHT);
    memo.Key('F', kCtrl);
    memo.Key('F', kCtrlShift);
    memo.Type("a");
    EXPECT_EQ(memo.Lines().Get(0), "babc");
    EXPECT_EQ(finds, 2);
}

TEST(Keyboard, ADotStartsTheCompletionTimerWhichThenFindsNothing) {
    TInputMemo memo("ab");
    EXPECT_FALSE(memo.CompletionTimer().Enabled());
    memo.Type(".");
    EXPECT_TRUE(memo.CompletionTimer().Enabled());
    EXPECT_EQ(memo.CompletionTimer().Interval(), 500);
    memo.CompletionTimer().OnTimer(nullptr);
    EXPECT_FALSE(memo.CompletionTimer().Enabled());
    EXPECT_EQ(memo.Text(), ".ab");
    memo.Kept().AutoCompletion.Active = false;
    memo.Type("(");
    EXPECT_FALSE(memo.CompletionTimer().Enabled());
}

TEST(Keyboard, TheCaretStopsBlinkingWhileKeysAreHeldAndFollowsTheFocus) {
    TInputMemo memo("abc");
    SetCaretBlinkTime(500);
    memo.DoEnter();
    std::uint16_t key = VK_RIGHT;
    memo.KeyDown(key, {});
    EXPECT_EQ(GetCaretBlinkTime(), kInfiniteBlink);
    memo.KeyDown(key, {}); // held: the saved time stays the first one
    memo.KeyUp(key, {});
    EXPECT_EQ(GetCaretBlinkTime(), 500u);
    // The caret's place: the caret cell's left edge.
    EXPECT_EQ(memo.CaretPixel().X, memo.CellRect(2, 0).Left);
    memo.KeyDown(key, {});
    memo.DoExit(); // losing the focus gives the blink back too
    EXPECT_EQ(GetCaretBlinkTime(), 500u);
}

} // namespace
