// The line store's operations and invariants with an owner editor attached.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "memo/AdvMemo.h"
#include "platform/SysUtils.h"

namespace {

std::vector<std::string> LinesOf(const TAdvMemoStrings& store) {
    std::vector<std::string> lines;
    for (int i = 0; i < store.Count(); ++i)
        lines.emplace_back(store.Get(i));
    return lines;
}

void ExpectLengthsMatch(const TAdvMemoStrings& store) {
    for (int i = 0; i < store.Count(); ++i)
        EXPECT_EQ(store.LineLength(i), static_cast<int>(store.Get(i).size())) << "line " << i;
}

class LineStore : public ::testing::Test {
protected:
    TAdvMemo memo{nullptr};
    TAdvMemoStrings& lines = memo.Lines();
};

TEST_F(LineStore, NewEditorHoldsOneEmptyLineWithARecord) {
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Get(0), "");
    EXPECT_NE(lines.LineProp(0), nullptr);
    EXPECT_EQ(lines.Text(), "\r\n");
}

TEST_F(LineStore, AddSplitsAtCrDropsLfAndReplacesTabs) {
    lines.ClearStore();
    EXPECT_EQ(lines.Add("x\r\ny"), 1);
    EXPECT_EQ(lines.Add("p\nq"), 2);
    EXPECT_EQ(lines.Add("a\tb"), 3);
    EXPECT_EQ(lines.Add("end\r"), 5);
    EXPECT_EQ(LinesOf(lines), (std::vector<std::string>{"x", "y", "pq", "a    b", "end", ""}));
    ExpectLengthsMatch(lines);
    for (int i = 0; i < lines.Count(); ++i)
        EXPECT_NE(lines.LineProp(i), nullptr);
}

TEST_F(LineStore, TabsBecomeTabSizeSpacesNotTabStops) {
    memo.SetTabSize(2);
    lines.Put(0, "ab\tc\t");
    EXPECT_EQ(lines.Get(0), "ab  c  ");
    EXPECT_EQ(lines.LineLength(0), 7);
}

TEST_F(LineStore, NoRecordFlagAddsLinesWithoutRecords) {
    lines.SetNoRecord(true);
    lines.Add("plain");
    EXPECT_EQ(lines.LineProp(1), nullptr);
    lines.SetNoRecord(false);
    lines.Add("kept");
    EXPECT_NE(lines.LineProp(2), nullptr);
}

TEST_F(LineStore, ObjectAccessGoesThroughTheRecord) {
    TObject user;
    lines.PutObject(0, &user);
    EXPECT_EQ(lines.GetObject(0), &user);
    ASSERT_NE(lines.LineProp(0), nullptr);
    EXPECT_EQ(lines.LineProp(0)->UserObject, &user);

    lines.Insert(1, "no record"); // inserted lines carry no record
    EXPECT_EQ(lines.LineProp(1), nullptr);
    lines.PutObject(1, &user);
    EXPECT_EQ(lines.GetObject(1), &user);

    // Outside the lines both are ignored.
    lines.PutObject(7, &user);
    EXPECT_EQ(lines.GetObject(7), nullptr);
    EXPECT_EQ(lines.GetObject(-1), nullptr);
    EXPECT_EQ(lines.GetObject(lines.Count()), nullptr);
    lines.PutObject(-1, &user);
    EXPECT_EQ(lines.GetObject(0), &user);
}

TEST_F(LineStore, IndexErrorsNameTheIndex) {
    try {
        (void)lines.Get(5);
        FAIL() << "Get(5) on one line must fail";
    } catch (const EStringListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (5)");
    }
    EXPECT_THROW(lines.Insert(3, "x"), EStringListError);
    EXPECT_THROW(lines.Insert(-1, "x"), EStringListError);
    lines.Delete(9); // ignored
    lines.Delete(-1);
    EXPECT_EQ(lines.Count(), 1);
}

TEST_F(LineStore, InsertKeepsBookmarksOnTheirText) {
    lines.SetText("a\r\nb\r\nc");
    memo.SetBookmark(0, 1);
    memo.SetBookmark(1, 0);
    lines.Insert(1, "new");
    EXPECT_EQ(memo.Bookmark(0), 2);
    EXPECT_EQ(memo.Bookmark(1), 0);
    EXPECT_EQ(lines.Get(memo.Bookmark(0)), "b");
}

TEST_F(LineStore, DeleteKeepsBookmarksOnTheirTextAndDropsTheDeletedOnes) {
    lines.SetText("a\r\nb\r\nc\r\nd\r\ne");
    memo.SetBookmark(0, 2); // "c"
    memo.SetBookmark(1, 0); // "a"
    lines.Delete(1);
    EXPECT_EQ(lines.Get(memo.Bookmark(0)), "c");
    EXPECT_EQ(memo.Bookmark(1), 0);
    lines.Delete(0); // the bookmark on "a" goes with it
    EXPECT_EQ(memo.Bookmark(1), -1);
    EXPECT_EQ(lines.Get(memo.Bookmark(0)), "c");
}

TEST_F(LineStore, DeleteOutsideTheLinesChangesNothing) {
    lines.SetText("a\r\nb\r\nc");
    lines.Delete(3);
    lines.Delete(-1);
    EXPECT_EQ(LinesOf(lines), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(LineStore, DeleteMovesTheCaretWithItsLine) {
    lines.SetText("a\r\nb\r\nc\r\nd");
    memo.SetCaretY(3);
    memo.SetCaretX(1);
    lines.Delete(1);
    EXPECT_EQ(LinesOf(lines), (std::vector<std::string>{"a", "c", "d"}));
    EXPECT_EQ(memo.CaretY(), 2);
    EXPECT_EQ(memo.CaretX(), 1);
    ExpectLengthsMatch(lines);
}

TEST_F(LineStore, DeletingTheOnlyLineEmptiesIt) {
    lines.Put(0, "only");
    lines.Delete(0);
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Get(0), "");
    EXPECT_EQ(memo.CaretX(), 0);
}

TEST_F(LineStore, StoreLevelClearLeavesCaretAndViewAlone) {
    lines.SetText("one\r\ntwo\r\nthree");
    memo.SetCaretY(2);
    memo.SetCaretX(3);
    lines.ClearStore();
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(memo.LongestLine(), 0);
    EXPECT_EQ(lines.Text(), "");
    EXPECT_EQ(memo.CaretY(), 2);
    EXPECT_EQ(memo.CaretX(), 3);
}

TEST_F(LineStore, EditorClearEndsWithNoLinesAndCaretAtStart) {
    lines.SetText("one\r\ntwo\r\nthree");
    memo.SetCaretY(2);
    memo.SetCaretX(2);
    memo.SetSelection({1, 1}, {2, 2});
    memo.Clear();
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(lines.Text(), "");
    EXPECT_EQ(memo.CaretX(), 0);
    EXPECT_EQ(memo.CaretY(), 0);
    EXPECT_EQ(memo.TopLine(), 0);
    EXPECT_EQ(memo.LeftCol(), 0);
    EXPECT_EQ(memo.Caret().SelStart, (TPoint{0, 0}));
    EXPECT_EQ(memo.Caret().SelEnd, (TPoint{0, 0}));
    EXPECT_EQ(memo.LongestLine(), 0);
}

TEST_F(LineStore, PositioningTheCaretInAnEmptyStorePutsAnEmptyLineBack) {
    lines.ClearStore();
    memo.SetCaretY(0);
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(lines.Get(0), "");
}

TEST_F(LineStore, UpdateBracketsSilenceChangesAndClosingSendsNone) {
    int changes = 0;
    memo.OnChange = [&](TObject*) { ++changes; };
    lines.Add("visible");
    EXPECT_EQ(changes, 1);
    lines.BeginUpdate();
    lines.BeginUpdate();
    EXPECT_EQ(lines.LockCount(), 1);
    lines.Add("quiet");
    lines.EndUpdate();
    lines.EndUpdate();
    lines.EndUpdate(); // an extra close never goes below zero
    EXPECT_EQ(lines.LockCount(), 0);
    EXPECT_EQ(changes, 1);
}

TEST_F(LineStore, AddStringsKeepsTabsAndObjectsAndRebuildsLengths) {
    TStringList source;
    TObject tag;
    source.AddObject("t\tab", &tag);
    source.Add("plain");
    lines.AddStrings(source);
    EXPECT_EQ(lines.Get(1), "t\tab");
    EXPECT_EQ(lines.GetObject(1), &tag);
    ExpectLengthsMatch(lines);
}

TEST_F(LineStore, AssignReplacesTheText) {
    TStringList source;
    source.Add("first");
    source.Add("second line");
    lines.SetText("old\r\nstuff\r\nhere");
    lines.Assign(source);
    EXPECT_EQ(LinesOf(lines), (std::vector<std::string>{"first", "second line"}));
    EXPECT_EQ(memo.LongestLine(), 11);
    ExpectLengthsMatch(lines);
}

TEST_F(LineStore, WithoutAnOwnerItIsAPlainStringList) {
    TAdvMemoStrings plain;
    plain.Add("a\tb\r\nc");
    ASSERT_EQ(plain.Count(), 1);
    EXPECT_EQ(plain.Get(0), "a\tb\r\nc");
    EXPECT_EQ(plain.LineProp(0), nullptr);
    plain.Put(0, "b\tc");
    EXPECT_EQ(plain.Get(0), "b\tc");
    TStringList more;
    more.Add("d\te");
    more.Add("f");
    plain.AddStrings(more);
    plain.Delete(1);
    EXPECT_EQ(LinesOf(plain), (std::vector<std::string>{"b\tc", "f"}));
    TStringStream stream("x\ty\r\nz");
    plain.LoadFromStream(stream);
    EXPECT_EQ(LinesOf(plain), (std::vector<std::string>{"x\ty", "z"}));
}

// Random edits against a plain vector: the lines, their records (which lines have one, and
// what was written into it) and the longest line stay in step whatever the sequence.
TEST_F(LineStore, RandomEditsKeepLinesAndRecordsInStep) {
    struct Line {
        std::string text;
        bool record = false;
        int spare = -1; // what the test wrote into the record, -1 for an untouched one
    };
    std::mt19937 random(7);
    std::vector<Line> model{{"", true}};
    auto word = [&] {
        std::string s(random() % 6, 'a');
        for (char& c : s)
            c = static_cast<char>('a' + random() % 3);
        return s;
    };
    for (int step = 0; step < 3000; ++step) {
        const int count = static_cast<int>(model.size());
        const int at = count > 0 ? static_cast<int>(random() % count) : 0;
        switch (random() % 6) {
        case 0: {
            std::string s = word();
            lines.Add(s); // an added line has a record
            model.push_back({s, true});
            break;
        }
        case 1: {
            const int before = static_cast<int>(random() % (count + 1));
            std::string s = word();
            lines.Insert(before, s); // an inserted one has none
            model.insert(model.begin() + before, {s});
            break;
        }
        case 2:
            if (count > 0) {
                lines.Delete(at);
                if (count == 1)
                    model[0].text.clear(); // the only line is emptied and keeps its record
                else
                    model.erase(model.begin() + at);
            }
            break;
        case 3:
            if (count > 0) {
                std::string s = word();
                lines.Put(at, s); // replaced in place: the record stays
                model[static_cast<std::size_t>(at)].text = s;
            }
            break;
        case 4:
            if (count > 0) {
                TLineProp* record = lines.LineProp(at);
                ASSERT_EQ(record != nullptr, model[static_cast<std::size_t>(at)].record);
                if (record) {
                    record->Spare = step;
                    model[static_cast<std::size_t>(at)].spare = step;
                }
            }
            break;
        default:
            if (random() % 50 == 0) {
                lines.ClearStore();
                model.clear();
            }
        }
        ASSERT_EQ(lines.Count(), static_cast<int>(model.size())) << "after step " << step;
        for (int i = 0; i < lines.Count(); ++i) {
            const Line& expected = model[static_cast<std::size_t>(i)];
            ASSERT_EQ(lines.Get(i), expected.text) << "line " << i << " after step " << step;
            const TLineProp* record = lines.Record(i);
            ASSERT_EQ(record != nullptr, expected.record) << "line " << i << " after step " << step;
            if (record) {
                ASSERT_EQ(record->Spare, expected.spare) << "line " << i << " after step " << step;
            }
        }
        ExpectLengthsMatch(lines);
    }
    std::size_t longest = 0;
    for (const Line& line : model)
        longest = std::max(longest, line.text.size());
    lines.Add("");
    EXPECT_EQ(memo.LongestLine(), static_cast<int>(longest));
    // Records of lines that went were given back: no more are held than lines have.
    EXPECT_LE(lines.Records().PoolSize(), static_cast<std::size_t>(lines.Count()));
}

} // namespace
