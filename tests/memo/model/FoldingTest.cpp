// Fold regions: what the scan finds, what a rebuild after edits keeps, the rows a collapsed
// region leaves, and how editing opens what it touches.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "memo/model/FoldRegions.h"
#include "platform/Keys.h"
#include "tests/memo/model/ModelEditor.h"

namespace {

// A small Pascal: routines with bodies, plain blocks, captioned {$REGION} comments, sections
// that run to the next one, a unit that runs to the end, and an ignored case..end pairing.
TRegionLanguage Pascal() {
    std::vector<TRegionDefinition> defs(6);
    defs[0].SetIdentifier("procedure");
    defs[0].SetRegionStart("begin");
    defs[0].SetRegionEnd("end");
    defs[1].SetIdentifier("  Function ");
    defs[1].SetRegionStart("begin");
    defs[1].SetRegionEnd("end");
    defs[2].SetRegionStart("$region");
    defs[2].SetRegionEnd("$endregion");
    defs[2].ShowComments = true;
    defs[3].SetIdentifier("section");
    defs[3].RegionType = TRegionType::rtOpen;
    defs[4].SetIdentifier("unit");
    defs[4].RegionType = TRegionType::rtFile;
    defs[5].SetRegionStart("case");
    defs[5].SetRegionEnd("end");
    defs[5].RegionType = TRegionType::rtIgnore;
    return TRegionLanguage::From(defs, "//", "{", "}", "();:=,.");
}

std::vector<TRegionPair> Found(std::string_view text) {
    TAdvMemoStrings lines(true);
    lines.SetText(text);
    TFoldRegions folding(lines);
    folding.SetEnabled(true);
    folding.SetLanguage(Pascal());
    folding.RebuildRegions();
    return folding.Regions();
}

using Pairs = std::vector<TRegionPair>;

TEST(RegionScan, FindsTheFourKindsAndSkipsComments) {
    // A routine's begin is its body; the begin inside opens a block of its own; a case..end
    // pairs with its end without making a region; words in comments count for nothing.
    EXPECT_EQ(Found("procedure Run;\r\n"     // 0
                    "begin\r\n"              // 1
                    "  // begin\r\n"         // 2
                    "  { end begin }\r\n"    // 3
                    "  case x of\r\n"        // 4
                    "  end;\r\n"             // 5
                    "  if x then Begin\r\n"  // 6
                    "    y := 1\r\n"         // 7
                    "  END;\r\n"             // 8
                    "end;"),                 // 9
              (Pairs{{0, 9}, {6, 8}}));
    // Multi-line comments, and a comment's first word as a keyword.
    EXPECT_EQ(Found("{$REGION 'tools'}\r\n{ begin\r\nbegin }\r\nx\r\n{$ENDREGION}"),
                  (Pairs{{0, 4}}));
    // rtOpen runs to the line before the next one; rtFile and an open rtOpen to the end.
    EXPECT_EQ(Found("unit u;\r\nsection a\r\nx\r\nsection b\r\ny"),
                  (Pairs{{0, 4}, {1, 2}, {3, 4}}));
    // A region on one line is none, and one line starts one region: the first to end.
    EXPECT_EQ(Found("begin end\r\nsection a\r\nsection b\r\nbegin begin\r\nend\r\nend"),
              (Pairs{{2, 5}, {3, 4}}));
    // An unclosed begin and an end with nothing open make nothing; a routine with no body
    // waits, and the block after it is its body.
    EXPECT_EQ(Found("end\r\nbegin\r\nfunction f;\r\nx\r\nbegin\r\nend"), (Pairs{{2, 5}}));
}

TEST(RegionScan, CaptionsComeFromTheCommentAfterTheKeyword) {
    TAdvMemoStrings lines(true);
    lines.SetText("  {$REGION  'Helpers' }\r\nx\r\n{$ENDREGION}\r\nbegin\r\nend");
    TFoldRegions folding(lines);
    folding.SetEnabled(true);
    folding.SetLanguage(Pascal());
    folding.RebuildRegions();
    std::string caption;
    ASSERT_TRUE(folding.RegionCaption(0, caption));
    EXPECT_EQ(caption, "  ['Helpers']");
    EXPECT_FALSE(folding.RegionCaption(3, caption)); // begin shows no caption
    EXPECT_FALSE(folding.ShowsCaption(0));           // only while collapsed
    ASSERT_TRUE(folding.SetExpanded(0, false));
    EXPECT_TRUE(folding.ShowsCaption(0));
}

// The rebuild after edits rescans only near them, and must find exactly what a scan of the
// whole text finds.
TEST(RegionScan, ARebuildAfterEditsFindsWhatAWholeScanFinds) {
    std::mt19937 random(20261209);
    const std::vector<std::string> pieces = {"procedure p;", "begin", "end;", "x := 1;",
                                             "{$region r}", "{$endregion}", "{ begin", "}",
                                             "section s", "case c of", "", "// end"};
    auto pick = [&] { return pieces[random() % pieces.size()]; };
    TAdvMemoStrings lines(true);
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += pick() + "\r\n";
    lines.SetText(text);
    TFoldRegions folding(lines);
    folding.SetEnabled(true);
    folding.SetLanguage(Pascal());
    folding.RebuildRegions();
    for (int round = 0; round < 300; ++round) {
        for (int edit = static_cast<int>(random() % 3); edit >= 0; --edit) {
            const int at = static_cast<int>(random() % static_cast<unsigned>(lines.Count()));
            switch (random() % 4) {
            case 0: lines.Put(at, pick()); break;
            case 1: lines.Insert(at, pick()); break;
            case 2: if (lines.Count() > 1) lines.Delete(at); break;
            default: lines.Put(at, std::string(lines.Get(at)) + " " + pick()); break;
            }
        }
        folding.RebuildRegions();
        TFoldRegions whole(lines);
        whole.SetEnabled(true);
        whole.SetLanguage(Pascal());
        whole.RebuildRegions();
        ASSERT_EQ(folding.Regions(), whole.Regions()) << "round " << round;
    }
}

// --- rows and editing ----------------------------------------------------------------------

struct Folded : ::testing::Test {
    // Regions 1..4 (holding 2..3) and 6..8.
    TModelEditor editor{"top\r\nprocedure a; begin\r\nbegin\r\nend;\r\nend;\r\nmid\r\n"
                        "begin\r\nx\r\nend\r\nlast", 3};
    TFoldRegions& folding = editor.Model().Folding();
    void SetUp() override {
        folding.SetEnabled(true);
        folding.SetLanguage(Pascal());
        editor.Model().RebuildRegions();
        ASSERT_EQ(folding.Regions(), (Pairs{{1, 4}, {2, 3}, {6, 8}}));
    }
};

TEST_F(Folded, ACollapsedRegionHidesItsLinesToItsEndLine) {
    EXPECT_TRUE(folding.Identity());
    EXPECT_TRUE(editor.Model().SetExpanded(6, false));
    EXPECT_TRUE(editor.Model().SetExpanded(2, false));
    EXPECT_FALSE(editor.Model().SetExpanded(5, false)); // no region starts there
    // Rows: top, procedure, begin(2, hides 3), end(4), mid, begin(6, hides 7..8), last.
    const std::vector<int> lineOfRow = {0, 1, 2, 4, 5, 6, 9, 10, 11};
    for (int row = 0; row < 9; ++row)
        EXPECT_EQ(folding.LineOfRow(row), lineOfRow[static_cast<std::size_t>(row)]) << row;
    const std::vector<int> rowOfLine = {0, 1, 2, 2, 3, 4, 5, 5, 5, 6};
    for (int line = 0; line < 10; ++line)
        EXPECT_EQ(folding.RowOfLine(line), rowOfLine[static_cast<std::size_t>(line)]) << line;
    EXPECT_EQ(folding.RowCount(10), 7);
    // The outer region closed too hides the inner one with it.
    editor.Model().SetExpanded(1, false);
    EXPECT_EQ(folding.RowCount(10), 5);
    EXPECT_EQ(folding.LineOfRow(2), 5);
    EXPECT_EQ(folding.EndOfRegion(1), 4);
    // Opened, the inner region stays collapsed.
    editor.Model().SetExpanded(1, true);
    EXPECT_EQ(folding.RowCount(10), 7);
}

TEST_F(Folded, TheCaretWalksRowsAndLeavesALineThatClosingHides) {
    editor.Go(0, 7);
    editor.Model().SetExpanded(6, false);
    EXPECT_EQ(editor.Model().CaretY(), 6); // up to the start that hides it
    editor.Key(VK_DOWN);
    EXPECT_EQ(editor.Model().CaretY(), 9);
    editor.Key(VK_UP);
    EXPECT_EQ(editor.Model().CaretY(), 6);
    editor.Model().SetExpanded(1, false);
    editor.Go(0, 0);
    editor.Key(VK_NEXT); // a page of 3 rows: top, procedure, mid, begin
    EXPECT_EQ(editor.Model().CaretY(), 6);
}

TEST_F(Folded, EditingOpensWhatItTouches) {
    // Enter on a collapsed start opens its region before splitting the line.
    editor.Model().SetExpanded(6, false);
    editor.Go(5, 6);
    editor.Char('\r');
    EXPECT_TRUE(folding.IsExpanded(6));
    // Backspace at a line's start opens the region of the row above.
    editor.Model().SetExpanded(2, false);
    editor.Go(0, 4);
    editor.Key(VK_BACK);
    EXPECT_TRUE(folding.IsExpanded(2));
    EXPECT_EQ(editor.Text(), "top|procedure a; begin|begin|end;end;|mid|begin||x|end|last");
    // Undo changes lines out of sight: their region opens.
    editor.Model().RebuildRegions();
    ASSERT_TRUE(editor.Model().SetExpanded(1, false));
    editor.CtrlKey('Z');
    EXPECT_TRUE(folding.IsExpanded(1));
    EXPECT_EQ(editor.Text(), "top|procedure a; begin|begin|end;|end;|mid|begin||x|end|last");
}

TEST_F(Folded, DeletingAStartLineTakesItsRegionAndShowsItsLines) {
    editor.Model().SetExpanded(6, false);
    editor.Lines().Delete(6);
    EXPECT_EQ(folding.Regions(), (Pairs{{1, 4}, {2, 3}}));
    EXPECT_TRUE(folding.Identity());
    EXPECT_EQ(folding.RowOfLine(7), 7);
    // The rebuild finds the same (the end that is left closes nothing).
    editor.Model().RebuildRegions();
    EXPECT_EQ(folding.Regions(), (Pairs{{1, 4}, {2, 3}}));
}

TEST_F(Folded, ACaptionTakesNoKeysButEnter) {
    editor.Lines().Put(6, "{$region two}");
    editor.Lines().Put(8, "{$endregion}");
    editor.Model().RebuildRegions();
    ASSERT_TRUE(editor.Model().SetExpanded(6, false));
    editor.Go(3, 6);
    editor.Type("ab ");
    editor.Key(VK_DELETE);
    editor.Key(VK_BACK);
    EXPECT_EQ(editor.Lines().Get(6), "{$region two}");
    editor.Char('\r');
    EXPECT_TRUE(folding.IsExpanded(6));
    EXPECT_EQ(editor.Lines().Get(6), "{$r");
}

} // namespace
