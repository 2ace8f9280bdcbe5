// The text document against a plain vector of strings: random sequences of the four
// primitives keep the same lines, tell listeners exactly what changed, and keep the longest
// line; lines taken from the document itself survive the buffer moving under them.

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/TextDocument.h"

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const core::TextDocument& d) {
    Lines lines;
    for (int i = 0; i < d.Count(); ++i)
        lines.emplace_back(d.Line(i));
    return lines;
}

// Applies every change it hears to a copy of the line count, so a wrong report shows, and
// reads the lines it is told are going while they still exist.
struct Recorder : core::DocumentListener {
    const core::TextDocument* doc = nullptr;
    std::vector<core::LineChange> changes;
    Lines going; // the lines of the last removal, read before they went
    int count = 0;
    void LinesRemoving(int first, int removing) override {
        going.clear();
        if (doc)
            for (int i = first; i < first + removing; ++i)
                going.emplace_back(doc->Line(i));
    }
    void LinesChanged(const core::LineChange& c) override {
        changes.push_back(c);
        count = c.replacedAll ? c.added : count - c.removed + c.added;
    }
};

std::size_t Longest(const Lines& lines) {
    std::size_t longest = 0;
    for (const std::string& l : lines)
        longest = std::max(longest, l.size());
    return longest;
}

TEST(TextDocument, RandomPrimitivesMatchAVectorModel) {
    std::mt19937 rng(7);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto word = [&] {
        return std::string(static_cast<std::size_t>(pick(40)), char('a' + pick(26)));
    };
    core::TextDocument doc;
    Recorder heard;
    heard.doc = &doc;
    doc.AddListener(heard);
    Lines model;
    for (int step = 0; step < 20000; ++step) {
        const int n = static_cast<int>(model.size());
        switch (pick(step % 997 == 0 ? 5 : 4)) {
        case 0: { // insert, sometimes a line of the document itself
            const int at = pick(n + 1);
            std::string text =
                n > 0 && pick(3) == 0 ? model[static_cast<std::size_t>(pick(n))] : word();
            std::string_view view = text;
            if (n > 0 && pick(2) == 0) {
                const int from = pick(n);
                view = doc.Line(from);
                text = model[static_cast<std::size_t>(from)];
            }
            doc.InsertLine(at, view);
            model.insert(model.begin() + at, text);
            EXPECT_EQ(heard.changes.back(), (core::LineChange{at, 0, 1, false}));
            break;
        }
        case 1:
            if (n > 0) {
                const int at = pick(n);
                const int count = 1 + pick(std::min(3, n - at));
                doc.DeleteLines(at, count);
                EXPECT_EQ(heard.going, Lines(model.begin() + at, model.begin() + at + count));
                model.erase(model.begin() + at, model.begin() + at + count);
                EXPECT_EQ(heard.changes.back(), (core::LineChange{at, count, 0, false}));
            }
            break;
        case 2:
        case 3:
            if (n > 0) {
                const int at = pick(n);
                // Half the time a piece of the line itself, as trimming does.
                const std::string_view piece = doc.Line(at).substr(0, doc.Line(at).size() / 2);
                const bool ownPiece = pick(2) == 0;
                const std::string text = ownPiece ? std::string(piece) : word();
                doc.ReplaceLine(at, ownPiece ? piece : std::string_view(text));
                model[static_cast<std::size_t>(at)] = text;
                EXPECT_EQ(heard.changes.back(), (core::LineChange{at, 1, 1, false}));
            }
            break;
        case 4: {
            std::string buffer = "kept\nalso kept\n";
            const std::string other = word();
            const std::string_view parts[] = {std::string_view(buffer).substr(0, 4), other,
                                              std::string_view(buffer).substr(5, 9)};
            heard.going.clear();
            doc.ReplaceAll(std::move(buffer), parts);
            EXPECT_EQ(heard.going, model); // the old text, told before it went
            model = {"kept", other, "also kept"};
            EXPECT_EQ(heard.changes.back(), (core::LineChange{0, n, 3, true}));
            break;
        }
        }
        ASSERT_EQ(heard.count, doc.Count());
        if (step % 50 == 0) {
            ASSERT_EQ(LinesOf(doc), model) << "step " << step;
            ASSERT_EQ(doc.LongestLine(), static_cast<int>(Longest(model))) << "step " << step;
        }
    }
    EXPECT_EQ(LinesOf(doc), model);
    // Garbage of replaced lines was given back along the way.
    EXPECT_LT(doc.MemoryUsed(), 4u << 20);
}

TEST(TextDocument, LoadKeepsTheBufferAndCopiesOnlyLinesWithTabs) {
    core::TextDocument doc;
    Recorder heard;
    doc.AddListener(heard);
    doc.InsertLine(0, "old");
    std::string bytes = "a\tb\r\nplain\n\nlast\0ignored";
    bytes.push_back('\0');
    bytes += "after nul";
    const char* plain = bytes.data() + 5;
    doc.Load(std::move(bytes), {4, false});
    EXPECT_EQ(LinesOf(doc), (Lines{"a    b", "plain", "", "last"}));
    EXPECT_EQ(doc.Line(1).data(), plain); // not copied
    EXPECT_EQ(heard.changes.back(), (core::LineChange{0, 1, 4, true}));
    EXPECT_EQ(doc.LongestLine(), 6);

    doc.Load("x\ty", {-1, false});
    EXPECT_EQ(LinesOf(doc), (Lines{"x\ty"}));
    doc.Load("", {4, false});
    EXPECT_EQ(doc.Count(), 0);
    doc.Load(std::string("\0abc", 4), {4, true});
    EXPECT_EQ(LinesOf(doc), (Lines{""}));
}

TEST(TextDocument, ATextBuiltLineByLineIsTakenWhole) {
    // Entries hold any bytes, breaks and NUL included: appended lines are kept as given.
    core::TextDocument doc;
    Recorder heard;
    doc.AddListener(heard);
    doc.InsertLine(0, "old");
    const std::string withNul("a\0b", 3);
    core::TextDocument::SplitText text;
    text.Reserve(4, 1); // too little room is only slower
    for (const std::string_view line : {std::string_view("first"), std::string_view(),
                                        std::string_view(withNul), std::string_view("x\r\ny")})
        text.Append(line);
    EXPECT_EQ(text.Count(), 4);
    doc.Load(std::move(text));
    EXPECT_EQ(LinesOf(doc), (Lines{"first", "", withNul, "x\r\ny"}));
    EXPECT_EQ(heard.changes.back(), (core::LineChange{0, 1, 4, true}));
    EXPECT_EQ(doc.LongestLine(), 5);
}

TEST(TextDocument, LongestLineFollowsTheLongestLineGoingAndComing) {
    core::TextDocument doc;
    const std::string_view lines[] = {"12345", "123", "12345"};
    doc.ReplaceAll({}, lines);
    doc.DeleteLines(0, 1);
    EXPECT_EQ(doc.LongestLine(), 5); // another line as long remains
    doc.ReplaceLine(1, "1");
    EXPECT_EQ(doc.LongestLine(), 3);
    doc.InsertLine(0, "1234567");
    EXPECT_EQ(doc.LongestLine(), 7);
}

TEST(TextDocument, ALineReplacedOverAndOverDoesNotPileUpCopies) {
    core::TextDocument doc;
    const std::string_view lines[] = {"a", "b"};
    doc.ReplaceAll({}, lines);
    const std::string text(1000, 'x');
    for (int i = 0; i < 10000; ++i) {
        doc.ReplaceLine(i % 2, text);
        doc.InsertLine(1, text);
        doc.DeleteLines(1, 1);
    }
    EXPECT_EQ(doc.Line(0), text);
    EXPECT_EQ(doc.Line(1), text);
    // 20 MB were copied in all; the live lines are 2 kB.
    EXPECT_LT(doc.MemoryUsed(), 1u << 20);
}

TEST(TextDocument, BadIndexesThrowAndChangeNothing) {
    core::TextDocument doc;
    doc.InsertLine(0, "only");
    EXPECT_THROW(doc.InsertLine(2, "x"), std::out_of_range);
    EXPECT_THROW(doc.DeleteLines(0, 2), std::out_of_range);
    EXPECT_THROW(doc.DeleteLines(-1, 1), std::out_of_range);
    EXPECT_THROW(doc.ReplaceLine(1, "x"), std::out_of_range);
    EXPECT_EQ(LinesOf(doc), (Lines{"only"}));
}

} // namespace

namespace {

TEST(TextDocument, ANewTextGivesBackTheRoomOfTheOldOne) {
    // "Clear Left" after a big list kept the whole file's bytes: a short text moved into a
    // string keeps the string's old room.
    std::string bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "line " + std::to_string(i) + "\n";
    core::TextDocument doc;
    doc.Load(core::TextDocument::Split(std::move(bytes), {4, true}));
    const std::string_view edited[] = {"an edited line"};
    doc.ReplaceLine(0, edited[0]);
    ASSERT_GT(doc.MemoryUsed(), 1u << 20);
    doc.ReplaceAll({}, {});
    EXPECT_LT(doc.MemoryUsed(), 1024u);
}

} // namespace
