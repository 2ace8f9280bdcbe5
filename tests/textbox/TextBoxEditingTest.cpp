// The text box's editing model without a widget: edits, selection and undo over a document.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/TextDocument.h"
#include "textbox/TextBoxEditing.h"

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const core::TextDocument& document) {
    const std::vector<std::string_view> views = core::Views(core::DocumentLines(document));
    return Lines(views.begin(), views.end());
}

class TextBoxEditingTest : public testing::Test {
protected:
    void Fill(const std::vector<std::string_view>& lines) {
        document.ReplaceAll(std::string(), lines);
    }
    core::TextDocument document;
    TextBoxEditing editing{document};
};

} // namespace

TEST_F(TextBoxEditingTest, TypingBreaksAndDeletionsAcrossLines) {
    Fill({"ab", "cd"});
    editing.MoveCaret({0, 1}, false);
    editing.Type("X");
    editing.NewLine();
    EXPECT_EQ(LinesOf(document), (Lines{"aX", "b", "cd"}));
    EXPECT_EQ(editing.Caret(), (TextPos{1, 0}));
    editing.Backspace(); // joins with the line above
    EXPECT_EQ(LinesOf(document), (Lines{"aXb", "cd"}));
    editing.MoveCaret({0, 3}, false);
    editing.Delete(); // joins the next line
    EXPECT_EQ(LinesOf(document), (Lines{"aXbcd"}));
    // At the text's ends there is nothing to remove.
    editing.MoveCaret({0, 0}, false);
    editing.Backspace();
    editing.MoveCaret(editing.TextEnd(), false);
    editing.Delete();
    EXPECT_EQ(LinesOf(document), (Lines{"aXbcd"}));
    // A selection across lines goes as a whole, then typing replaces it.
    Fill({"one", "two", "three"});
    editing.MoveCaret({0, 1}, false);
    editing.MoveCaret({2, 2}, true);
    EXPECT_EQ(editing.Selected(), (Lines{"ne", "two", "th"}));
    editing.Type("Z");
    EXPECT_EQ(LinesOf(document), (Lines{"oZree"}));
    EXPECT_FALSE(editing.HasSelection());
    // Backspace and Delete take a selection, not a character beside it.
    editing.MoveCaret({0, 1}, false);
    editing.MoveCaret({0, 3}, true);
    editing.Backspace();
    EXPECT_EQ(LinesOf(document), (Lines{"oee"}));
    editing.MoveCaret({0, 2}, true);
    editing.Delete();
    EXPECT_EQ(LinesOf(document), (Lines{"oe"}));
}

TEST_F(TextBoxEditingTest, CharactersAreWholeSequencesAndStrayBytes) {
    Fill({"a\xC3\xA9\xFF"
          "b"});
    editing.MoveCaret({0, 4}, false); // after the stray byte
    editing.Backspace();
    EXPECT_EQ(LinesOf(document), (Lines{"a\xC3\xA9"
                                        "b"}));
    editing.Backspace(); // the two bytes of the e-acute together
    EXPECT_EQ(LinesOf(document), (Lines{"ab"}));
    Fill({"\xC3\xA9x"});
    EXPECT_EQ(editing.CharAfter({0, 0}), (TextPos{0, 2}));
    editing.MoveCaret({0, 1}, false); // inside a sequence: its start
    EXPECT_EQ(editing.Caret(), (TextPos{0, 0}));
    // Deleting what stood between a lead byte and its continuations joins them into one
    // character: the caret stands at its start, not inside it.
    Fill({"\xC3x\xA9"});
    editing.MoveCaret({0, 2}, false);
    editing.Backspace();
    EXPECT_EQ(LinesOf(document), (Lines{"\xC3\xA9"}));
    EXPECT_EQ(editing.Caret(), (TextPos{0, 0}));
}

TEST_F(TextBoxEditingTest, PasteSplitsAtEveryKindOfBreakAndKeepsOtherBytes) {
    Fill({"[]"});
    editing.MoveCaret({0, 1}, false);
    editing.Paste(std::string_view("a\r\nb\rc\nd\0e", 10));
    EXPECT_EQ(LinesOf(document), (Lines{"[a", "b", "c", std::string("d\0e]", 4)}));
    EXPECT_EQ(editing.Caret(), (TextPos{3, 3}));
}

TEST_F(TextBoxEditingTest, TypingInARowIsOneUndoStepAndUndoRestoresCaretAndSelection) {
    Fill({"xy"});
    editing.MoveCaret({0, 1}, false);
    editing.Type("a");
    editing.Type("\xC3");
    editing.Type("\xA9"); // typed UTF-8 arrives a byte at a time
    editing.MoveCaret({0, 0}, false);
    editing.Type("b"); // elsewhere: a new step
    EXPECT_EQ(LinesOf(document), (Lines{"bxa\xC3\xA9y"}));
    EXPECT_TRUE(editing.Undo());
    EXPECT_EQ(LinesOf(document), (Lines{"xa\xC3\xA9y"}));
    EXPECT_TRUE(editing.Undo());
    EXPECT_EQ(LinesOf(document), (Lines{"xy"}));
    EXPECT_EQ(editing.Caret(), (TextPos{0, 1}));
    EXPECT_FALSE(editing.Undo());
    // Typing over a selection comes back with the selection.
    editing.MoveCaret({0, 0}, false);
    editing.MoveCaret({0, 2}, true);
    editing.Type("q");
    editing.Type("r");
    EXPECT_EQ(LinesOf(document), (Lines{"qr"}));
    EXPECT_TRUE(editing.Undo());
    EXPECT_EQ(LinesOf(document), (Lines{"xy"}));
    EXPECT_EQ(editing.Anchor(), (TextPos{0, 0}));
    EXPECT_EQ(editing.Caret(), (TextPos{0, 2}));
}

TEST_F(TextBoxEditingTest, RandomEditsUndoneGiveTheOriginalBytesBack) {
    // Entries may hold any byte, breaks and NUL included: undo must not split or change them.
    const std::vector<std::string> pieces = {"a",        " ",   "\n", "\r", std::string(1, '\0'),
                                             "\xC3\xA9", "\xFF"};
    std::mt19937 rng(3);
    for (int round = 0; round < 40; ++round) {
        Lines original;
        for (int i = static_cast<int>(rng() % 5); i > 0; --i) {
            std::string line;
            for (int j = static_cast<int>(rng() % 6); j > 0; --j)
                line += pieces[rng() % pieces.size()];
            original.push_back(line);
        }
        Fill(std::vector<std::string_view>(original.begin(), original.end()));
        for (int op = 0; op < 20; ++op) {
            const int lines = std::max(1, document.Count());
            const TextPos somewhere{static_cast<int>(rng() % lines), rng() % 8};
            switch (rng() % 7) {
            case 0:
                editing.MoveCaret(somewhere, rng() % 2 == 0);
                continue;
            case 1:
                editing.Type(rng() % 2 ? "t" : "\xE2\x82\xAC");
                break;
            case 2:
                editing.Paste("p\r\nq");
                break;
            case 3:
                editing.NewLine();
                break;
            case 4:
                editing.Backspace();
                break;
            case 5:
                editing.Delete();
                break;
            case 6:
                editing.SelectAll();
                editing.DeleteSelection();
                break;
            }
        }
        while (editing.Undo()) {
        }
        // An empty box gains the line typing needs; everything else is as it was.
        Lines now = LinesOf(document);
        if (original.empty() && now == Lines{""})
            now.clear();
        EXPECT_EQ(now, original) << "round " << round;
    }
}

TEST_F(TextBoxEditingTest, SelectAllCoversEveryLineAndAChangeFromOutsideEndsUndo) {
    {
        // A model that is gone hears of no change (what would go wrong shows under the
        // sanitizers).
        TextBoxEditing gone(document);
    }
    Fill({"one", "", "three"});
    editing.MoveCaret({1, 0}, false);
    editing.SelectAll();
    EXPECT_EQ(editing.SelStart(), (TextPos{0, 0}));
    EXPECT_EQ(editing.SelEnd(), (TextPos{2, 5}));
    EXPECT_EQ(editing.Selected(), (Lines{"one", "", "three"}));
    editing.MoveCaret({2, 5}, false);
    editing.Type("!");
    // A line appended by the program: the caret stays, the undo steps are gone.
    document.InsertLine(0, "new");
    EXPECT_FALSE(editing.CanUndo());
    document.DeleteLines(1, 3);
    EXPECT_EQ(editing.Caret(), (TextPos{0, 3})); // kept inside the text
    // An empty box: typing gives it its first line.
    document.ReplaceAll(std::string(), {});
    EXPECT_EQ(editing.Caret(), (TextPos{0, 0}));
    editing.Type("a");
    EXPECT_EQ(LinesOf(document), (Lines{"a"}));
}
