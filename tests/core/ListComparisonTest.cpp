// The comparison against its definition: a plain nested pair loop and a removal pass over the
// single hits, run on the worked examples and on many random list pairs.

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/LineIndex.h"
#include "core/ListComparison.h"

namespace {

using Lines = std::vector<std::string>;

struct Outcome {
    bool compares = false;
    Lines multipleHits;
    Lines singleHits;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& outcome, std::ostream* os) {
    *os << "compares " << outcome.compares << ", multiple "
        << testing::PrintToString(outcome.multipleHits) << ", single "
        << testing::PrintToString(outcome.singleHits);
}

std::string Joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

Outcome Reference(const Lines& left, const Lines& right) {
    Outcome outcome;
    const std::size_t n = left.size(), m = right.size();
    if (Joined(left) == Joined(right) || n < 1 || m < 1)
        return outcome;
    outcome.compares = true;
    if (n > m) {
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < m; ++j)
                if (left[i] == right[j])
                    outcome.multipleHits.push_back(left[i]);
    } else {
        for (std::size_t i = 0; i < m; ++i)
            for (std::size_t j = 0; j < n; ++j)
                if (right[i] == left[j])
                    outcome.multipleHits.push_back(right[i]);
    }
    Lines& singles = outcome.singleHits;
    singles = left;
    singles.insert(singles.end(), right.begin(), right.end());
    for (const std::string& hit : outcome.multipleHits)
        std::erase(singles, hit);
    std::erase(singles, std::string());
    return outcome;
}

Outcome Compare(const Lines& left, const Lines& right) {
    const std::vector<std::string_view> l(left.begin(), left.end()), r(right.begin(), right.end());
    const core::SpanLines ls(l), rs(r);
    const core::ListComparison comparison(ls, rs);
    Outcome outcome;
    outcome.compares = comparison.Compares();
    comparison.ForEachMultipleHit(
        [&](std::string_view line) { outcome.multipleHits.emplace_back(line); });
    comparison.ForEachSingleHit(
        [&](std::string_view line) { outcome.singleHits.emplace_back(line); });
    EXPECT_EQ(comparison.MultipleHitCount(), outcome.multipleHits.size());
    EXPECT_EQ(comparison.SingleHitCount(), outcome.singleHits.size());
    return outcome;
}

Outcome Expect(Lines multipleHits, Lines singleHits) {
    return Outcome{true, std::move(multipleHits), std::move(singleHits)};
}

TEST(ListComparison, WorkedExample) {
    EXPECT_EQ(Compare({"a", "b", "c"}, {"b", "c", "d"}), Expect({"b", "c"}, {"a", "d"}));
}

TEST(ListComparison, OrderFollowsTheLongerListAndRightOnATie) {
    EXPECT_EQ(Compare({"b", "a"}, {"a", "b", "z"}), Expect({"a", "b"}, {"z"}));
    EXPECT_EQ(Compare({"a", "b", "z"}, {"b", "a"}), Expect({"a", "b"}, {"z"}));
    EXPECT_EQ(Compare({"b", "a"}, {"a", "b"}), Expect({"a", "b"}, {}));
    EXPECT_EQ(Compare({"a", "b"}, {"b", "a"}), Expect({"b", "a"}, {}));
}

TEST(ListComparison, DuplicatesMultiply) {
    EXPECT_EQ(Compare({"x", "a", "a"}, {"a", "y"}), Expect({"a", "a"}, {"x", "y"}));
    EXPECT_EQ(Compare({"a", "a"}, {"a", "a", "a", "b"}), Expect(Lines(6, "a"), {"b"}));
    // All matches of one outer line stand together, once per copy on the inner list.
    EXPECT_EQ(Compare({"p", "q", "p"}, {"q", "p", "p", "z"}),
              Expect({"q", "p", "p", "p", "p"}, {"z"}));
}

TEST(ListComparison, CaseAndSpacesCount) {
    EXPECT_EQ(Compare({"Apple", "a"}, {"apple", "a "}), Expect({}, {"Apple", "a", "apple", "a "}));
}

TEST(ListComparison, EmptyLines) {
    // One empty line against a loaded list: an empty line there is a multiple hit, never a
    // single hit.
    EXPECT_EQ(Compare({"a", "", "b"}, {""}), Expect({""}, {"a", "b"}));
    EXPECT_EQ(Compare({"", "a"}, {"b", ""}), Expect({""}, {"a", "b"}));
    EXPECT_EQ(Compare({"", "a"}, {"b"}), Expect({}, {"a", "b"}));
}

TEST(ListComparison, NothingToCompare) {
    const Outcome none;
    EXPECT_EQ(Compare({"a", "b"}, {"a", "b"}), none);
    EXPECT_EQ(Compare({""}, {""}), none); // two untouched editors
    EXPECT_EQ(Compare({}, {"a"}), none);
    EXPECT_EQ(Compare({"a"}, {}), none);
    EXPECT_EQ(Compare({}, {}), none);
    // Identical joined texts, though cut differently into lines.
    EXPECT_EQ(Compare({"a\r\nb"}, {"a", "b"}), none);
}

TEST(ListComparison, SameLinesInAnotherOrderAreAllMultipleHits) {
    EXPECT_EQ(Compare({"c", "a", "b"}, {"a", "b", "c"}), Expect({"a", "b", "c"}, {}));
}

TEST(ListComparison, LineOnBothListsAndTwiceOnOneLeavesNoSingleHit) {
    EXPECT_EQ(Compare({"a", "a", "k"}, {"a", "z"}), Expect({"a", "a"}, {"k", "z"}));
}

TEST(ListComparison, MatchesNestedLoopsOnRandomLists) {
    std::mt19937 random(424242);
    // Few distinct lines, so duplicates on both sides are common; near-equal lines differ in
    // case or a trailing space.
    const Lines pool = {"", "a", "A", "a ", " a", "b", "ab", "apple", "Apple", "\xE9", "x y"};
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    std::uniform_int_distribution<int> size(0, 9);
    std::bernoulli_distribution copyLeft(0.05), shuffle(0.05);
    int compared = 0, leftLonger = 0, ties = 0;
    for (int round = 0; round < 30000; ++round) {
        Lines left(static_cast<std::size_t>(size(random)));
        for (std::string& line : left)
            line = pool[pick(random)];
        Lines right(static_cast<std::size_t>(size(random)));
        for (std::string& line : right)
            line = pool[pick(random)];
        if (copyLeft(random))
            right = left;
        if (shuffle(random)) {
            right = left;
            std::shuffle(right.begin(), right.end(), random);
        }
        const Outcome expected = Reference(left, right);
        compared += expected.compares;
        leftLonger += expected.compares && left.size() > right.size();
        ties += expected.compares && left.size() == right.size();
        ASSERT_EQ(Compare(left, right), expected)
            << testing::PrintToString(left) << " vs " << testing::PrintToString(right);
    }
    EXPECT_GT(compared, 20000);
    EXPECT_GT(leftLonger, 5000);
    EXPECT_GT(ties, 1000);
}

TEST(ListComparison, MatchesNestedLoopsOnLongerRandomLists) {
    // Past the lookahead window of the indexing and past the index's first growth.
    std::mt19937 random(99);
    std::uniform_int_distribution<int> size(0, 300);
    for (int round = 0; round < 300; ++round) {
        std::uniform_int_distribution<int> word(0, 1 + round); // from all-equal to mostly distinct
        auto randomList = [&] {
            Lines lines(static_cast<std::size_t>(size(random)));
            for (std::string& line : lines)
                if (word(random) != 0)
                    line.append("w").append(std::to_string(word(random)));
            return lines;
        };
        const Lines left = randomList(), right = randomList();
        ASSERT_EQ(Compare(left, right), Reference(left, right)) << "round " << round;
    }
}

TEST(ListComparison, LongListsIndexedOnTwoThreadsGiveTheSameEntries) {
    // Lists long enough for both halves of the hash space to be filled at once, checked
    // against copies counted in a map (the nested loops would take too long here).
    std::mt19937 random(5);
    std::uniform_int_distribution<int> word(0, 60000);
    auto randomList = [&](std::size_t n) {
        Lines lines(n);
        for (std::string& line : lines)
            line = word(random) % 50 == 0 ? "" : "w" + std::to_string(word(random));
        return lines;
    };
    const Lines left = randomList(50000), right = randomList(40000);
    std::map<std::string, std::uint64_t> onRight, onLeft;
    for (const std::string& line : right)
        ++onRight[line];
    for (const std::string& line : left)
        ++onLeft[line];
    Outcome expected{true, {}, {}};
    for (const std::string& line : left) // the longer list drives
        expected.multipleHits.insert(expected.multipleHits.end(), onRight[line], line);
    for (const Lines* list : {&left, &right})
        for (const std::string& line : *list)
            if (!line.empty() && !(onLeft[line] > 0 && onRight[line] > 0))
                expected.singleHits.push_back(line);
    EXPECT_GT(expected.multipleHits.size(), 10000u);
    EXPECT_GT(expected.singleHits.size(), 10000u);
    EXPECT_EQ(Compare(left, right), expected);
}

// A source that breaks its promise: it counts all its lines but the last, walks `from` to `to`
// (counted from 0) give only its first line, and the others give all of them.
class FickleLines final : public core::LineSource {
public:
    FickleLines(std::vector<std::string_view> lines, int from, int to)
        : lines_(std::move(lines)), from_(from), to_(to) {}
    std::size_t Count() const override { return lines_.size() - 1; }
    std::unique_ptr<Cursor> Walk() const override {
        const std::span<const std::string_view> all(lines_);
        const int walk = walks_++;
        walked_ = std::make_unique<core::SpanLines>(walk >= from_ && walk <= to_ ? all.first(1)
                                                                                 : all);
        return walked_->Walk();
    }

private:
    std::vector<std::string_view> lines_;
    int from_, to_;
    mutable int walks_ = 0;
    mutable std::unique_ptr<core::SpanLines> walked_;
};

TEST(ListComparison, LinesTheIndexNeverSawAreOnNeitherList) {
    // A line in the second half of the hash space, so the first half's index stays empty and
    // the lines without keys (key 0: the first half's first line) point past it.
    std::string second = "x";
    while (core::LineIndex::Hash(second) >> 63 == 0)
        second += "x";
    const std::vector<std::string_view> left{second};
    const core::SpanLines leftLines(left);
    // The right list is walked three times before its entries: the identity check, then once
    // for each half, where it gives only its first line; then a line more than it counts.
    const FickleLines rightLines({second, "y", "z", "uncounted"}, 1, 2);
    const core::ListComparison comparison(leftLines, rightLines);
    ASSERT_TRUE(comparison.Compares());
    Lines multiple, single;
    comparison.ForEachMultipleHit([&](std::string_view line) { multiple.emplace_back(line); });
    comparison.ForEachSingleHit([&](std::string_view line) { single.emplace_back(line); });
    EXPECT_EQ(multiple, Lines{second});
    EXPECT_EQ(single, (Lines{"y", "z"}));
}

TEST(ListComparison, AFailureOnTheSecondThreadReachesTheCaller) {
    // Long enough for the second half to be indexed on a thread of its own; the lists fail
    // only when walked there.
    class FailingOffTheMainThread final : public core::LineSource {
    public:
        explicit FailingOffTheMainThread(std::span<const std::string_view> lines)
            : lines_(lines), main_(std::this_thread::get_id()) {}
        std::size_t Count() const override { return lines_.Count(); }
        std::unique_ptr<Cursor> Walk() const override {
            if (std::this_thread::get_id() != main_)
                throw std::runtime_error("unreadable");
            return lines_.Walk();
        }

    private:
        core::SpanLines lines_;
        std::thread::id main_;
    };
    std::vector<std::string> texts;
    for (int i = 0; i < 70000; ++i)
        texts.push_back(std::to_string(i));
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    const FailingOffTheMainThread left(views), right(std::span<const std::string_view>(views).first(1000));
    EXPECT_THROW(core::ListComparison(left, right), std::runtime_error);
}

TEST(ListComparison, CountsLargeProductsIn64Bits) {
    // 70,000 copies on each side: 4.9e9 pairs, past 32 bits.
    const std::vector<std::string_view> left(70000, "same");
    std::vector<std::string_view> right(70000, "same");
    right.push_back("other");
    const core::SpanLines ls(left), rs(right);
    const core::ListComparison comparison(ls, rs);
    ASSERT_TRUE(comparison.Compares());
    EXPECT_EQ(comparison.MultipleHitCount(), 70000ull * 70000ull);
    EXPECT_EQ(comparison.SingleHitCount(), 1u);
}

} // namespace
