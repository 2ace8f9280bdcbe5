// The text box's layout model without a widget: wrapping one line, and rows <-> lines over a
// document against a reference that lays out every line.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/TextDocument.h"
#include "textbox/TextBoxLayout.h"

namespace {

// Every character is 1 wide but 'W' (3) and anything beyond ASCII (2).
class TestWidths final : public GlyphWidths {
public:
    int Advance(char32_t ch) const override { return ch == U'W' ? 3 : ch < 0x80 ? 1 : 2; }
    int Widest() const override { return 3; }
};

const TestWidths kWidths;

std::vector<std::size_t> Wrap(std::string_view line, int width) {
    return WrapLine(line, width, kWidths);
}

using Starts = std::vector<std::size_t>;

} // namespace

TEST(WrapLineTest, BreaksAfterBlanksAndInsideWordsLongerThanARow) {
    // After the last blank that fits; blanks hang past the edge.
    EXPECT_EQ(Wrap("aaa bbb ccc", 7), (Starts{0, 8}));
    EXPECT_EQ(Wrap("aaa bbb", 6), (Starts{0, 4}));
    EXPECT_EQ(Wrap("aaa      bbb", 4), (Starts{0, 9}));
    EXPECT_EQ(Wrap("aaa\tbbb", 5), (Starts{0, 4}));
    // A word longer than the row breaks after the last character that fits, row after row.
    EXPECT_EQ(Wrap("abcdefghij", 4), (Starts{0, 4, 8}));
    EXPECT_EQ(Wrap("ab abcdefghij", 4), (Starts{0, 3, 7, 11}));
    // Exactly full fits; widths count, not bytes: W is 3, the two-byte e-acute 2.
    EXPECT_EQ(Wrap("abcd", 4), (Starts{0}));
    EXPECT_EQ(Wrap("WWW", 6), (Starts{0, 2}));
    EXPECT_EQ(Wrap("a\xC3\xA9\xC3\xA9", 4), (Starts{0, 3}));
    // An invalid byte is one character of its own; a row never splits a character.
    EXPECT_EQ(Wrap("\xFF\xFF\xFF", 4), (Starts{0, 2}));
    // A row holds one character even when it is wider than the row.
    EXPECT_EQ(Wrap("WW", 1), (Starts{0, 1}));
    // No width, no wrap; an empty line is one row.
    EXPECT_EQ(Wrap("abcdefghij", 0), (Starts{0}));
    EXPECT_EQ(Wrap("", 3), (Starts{0}));
}

namespace {

struct Row {
    int line;
    int subRow;
    friend bool operator==(const Row&, const Row&) = default;
};

// The reference: every line laid out, every row listed.
std::vector<Row> AllRows(const core::TextDocument& document, int width) {
    std::vector<Row> rows;
    for (int line = 0; line < document.Count(); ++line) {
        const int count = static_cast<int>(Wrap(document.Line(line), width).size());
        for (int sub = 0; sub < count; ++sub)
            rows.push_back({line, sub});
    }
    return rows;
}

void ExpectMatchesReference(const TextBoxLayout& layout, const core::TextDocument& document,
                            int width) {
    const std::vector<Row> rows = AllRows(document, width);
    ASSERT_EQ(layout.RowCount(), static_cast<std::int64_t>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const TextBoxLayout::RowSpot spot = layout.LineOfRow(static_cast<std::int64_t>(r));
        ASSERT_EQ((Row{spot.line, spot.subRow}), rows[r]) << "row " << r << " width " << width;
        if (rows[r].subRow == 0) {
            ASSERT_EQ(layout.RowOfLine(rows[r].line), static_cast<std::int64_t>(r));
        }
    }
}

std::string RandomLine(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {"a", "W", " ", "\xC3\xA9", "\xFF", "bc"};
    // Mostly short lines, some long ones, as in a result pane.
    const int length = rng() % 4 == 0 ? static_cast<int>(rng() % 30) : static_cast<int>(rng() % 4);
    std::string line;
    for (int i = 0; i < length; ++i)
        line += pieces[rng() % pieces.size()];
    return line;
}

} // namespace

TEST(TextBoxLayoutTest, RowsAndLinesMatchEveryLineLaidOutThroughEditsAndWidths) {
    std::mt19937 rng(8);
    for (int round = 0; round < 30; ++round) {
        core::TextDocument document;
        const TestWidths widths;
        TextBoxLayout layout(document, widths);
        int width = static_cast<int>(rng() % 12);
        layout.SetWidth(width);
        std::vector<std::string> lines;
        for (int i = static_cast<int>(rng() % 40); i > 0; --i)
            lines.push_back(RandomLine(rng));
        std::string buffer;
        std::vector<std::string_view> views(lines.begin(), lines.end());
        document.ReplaceAll(std::move(buffer), views);
        ExpectMatchesReference(layout, document, width);
        for (int step = 0; step < 25; ++step) {
            const int count = document.Count();
            const std::string line = RandomLine(rng);
            switch (rng() % 5) {
            case 0: {
                std::vector<std::string> more{RandomLine(rng), line};
                std::vector<std::string_view> v(more.begin(), more.end());
                document.InsertLines(static_cast<int>(rng() % (count + 1)), v);
                break;
            }
            case 1:
                if (count > 0) {
                    const int at = static_cast<int>(rng() % count);
                    document.DeleteLines(at, static_cast<int>(rng() % (count - at + 1)));
                }
                break;
            case 2:
            case 3:
                if (count > 0)
                    document.ReplaceLine(static_cast<int>(rng() % count), line);
                break;
            case 4:
                width = static_cast<int>(rng() % 12);
                layout.SetWidth(width);
                break;
            }
            ExpectMatchesReference(layout, document, width);
        }
    }
}

TEST(TextBoxLayoutTest, EveryPositionIsFoundAgainAtItsRowAndX) {
    core::TextDocument document;
    const TestWidths widths;
    TextBoxLayout layout(document, widths);
    layout.SetWidth(6);
    const std::vector<std::string_view> lines = {"aaa bbb ccccccccc", "", "W\xC3\xA9 \xFF W", "x"};
    document.ReplaceAll(std::string(), lines);
    for (int line = 0; line < document.Count(); ++line) {
        const std::string_view text = document.Line(line);
        const std::vector<std::size_t> starts = layout.RowStarts(line);
        for (std::size_t offset = 0; offset <= text.size(); ++offset) {
            // Character starts only: the second byte of the e-acute is none.
            if (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80)
                continue;
            const TextPos pos{line, offset};
            const std::int64_t row = layout.RowOf(pos);
            // A row's start is on that row, the line's end on its last.
            std::size_t sub = 0;
            while (sub + 1 < starts.size() && starts[sub + 1] <= offset)
                ++sub;
            EXPECT_EQ(row, layout.RowOfLine(line) + static_cast<std::int64_t>(sub));
            EXPECT_EQ(layout.PosAt(row, layout.XOf(pos)), pos) << line << ":" << offset;
        }
    }
    // Left of the text is the row's start, far right its end (the line's end on its last
    // row, before its last character where the line goes on).
    EXPECT_EQ(layout.PosAt(0, -5), (TextPos{0, 0}));
    EXPECT_EQ(layout.PosAt(0, 100), (TextPos{0, 3}));
    EXPECT_EQ(layout.PosAt(layout.RowOfLine(3), 100), (TextPos{3, 1}));
    // Rows beyond the text clamp to it.
    EXPECT_EQ(layout.PosAt(-3, 0), (TextPos{0, 0}));
    EXPECT_EQ(layout.PosAt(1000, 100), (TextPos{3, 1}));
}

TEST(TextBoxLayoutTest, AChangedLineIsWrappedAfresh) {
    core::TextDocument document;
    const TestWidths widths;
    {
        // A layout that is gone hears of no change (what would go wrong shows under the
        // sanitizers).
        TextBoxLayout gone(document, widths);
    }
    TextBoxLayout layout(document, widths);
    const std::vector<std::string_view> lines = {"aaaa aaaa"};
    document.ReplaceAll(std::string(), lines);
    layout.SetWidth(5);
    EXPECT_EQ(layout.RowStarts(0), (Starts{0, 5}));
    document.ReplaceLine(0, "bb bb bb");
    EXPECT_EQ(layout.RowStarts(0), (Starts{0, 6}));
    document.InsertLine(0, "c");
    EXPECT_EQ(layout.RowStarts(0), (Starts{0}));
    EXPECT_EQ(layout.RowCount(), 3);
}
