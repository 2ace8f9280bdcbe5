// Near misses found between two small lists: each cause, the order they are blamed in, and
// what is no near miss.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/Escaping.h"
#include "cli/NearMisses.h"
#include "core/LineText.h"

namespace {

using cli::NearMissCause;

/// The pairs of `left` against `right` as "L:R:cause" and the counts per cause.
struct Found {
    std::string pairs;
    std::vector<std::uint64_t> counts;
};

Found Find(const std::string& left, const std::string& right) {
    const core::LoadedList l(left), r(right);
    const core::ListComparison comparison(l, r);
    const cli::NearMisses nearMisses(comparison);
    Found found;
    for (const cli::NearMissPair& pair : nearMisses.Pairs())
        found.pairs += std::to_string(pair.leftIndex + 1) + ":" +
                       std::to_string(pair.rightIndex + 1) + ":" +
                       std::string(cli::CauseName(pair.cause)) + " ";
    for (int c = 0; c < cli::kNearMissCauses; ++c)
        found.counts.push_back(nearMisses.Count(static_cast<NearMissCause>(c)));
    return found;
}

TEST(NearMisses, EachCause) {
    const Found found =
        Find("\xEF\xBB\xBFhead\n"
             " lead\ttab\xC2\xA0\n"
             "Straße ÀÉÞ ĀŸ ΑΩ ЀЏ АЯ\n" // the ends of each range of capitals
             "caf\xE9 \x80\n"
             "soft\xC2\xADhy\xE2\x80\x8Dphen \xF0\x9F\x98\x80\n" // and an emoji, four bytes
             "Noe\xCC\x88l\n"                                    // e and a combining diaeresis
             "same\n",
             "same\n"
             "soft-hyphen\n" // a visible hyphen is no invisible character
             "lead    tab\n"
             "straße àéþ āÿ αω ѐџ ая\n"
             "café €\n"
             "softhyphen \xF0\x9F\x98\x80\n"
             "head\n"
             "No\xC3\xABl\n"); // the precomposed letter
    EXPECT_EQ(found.pairs, "1:7:byte-order-mark 2:3:blanks 3:4:case 4:5:encoding 5:6:invisible "
                           "6:8:composition ");
    // Every hit on both lists counted: two per pair; "soft-hyphen" is no near miss.
    EXPECT_EQ(found.counts, (std::vector<std::uint64_t>{2, 2, 2, 2, 2, 2}));
}

TEST(NearMisses, CaseInEveryScriptAndTheOneCausePartnerFirst) {
    // Full case folding: "Straße" meets "STRASSE", a ligature its letters, Vietnamese,
    // Armenian and Cherokee their small letters.
    const Found found = Find("STRASSE\n\xEF\xAC\x81n\n\xE1\xBA\xA0\n\xD4\xB1\n\xE1\x8E\xA0\n",
                             "Stra\xC3\x9F"
                             "e\nfin\n\xE1\xBA\xA1\n\xD5\xA1\n\xEA\xAD\xB0\n");
    EXPECT_EQ(found.pairs, "1:1:case 2:2:case 3:3:case 4:4:case 5:5:case ");
    // "ά" with oxia (U+1F71) is "ά" with tonos (U+03AC) composed; the capital (U+0386) also
    // differs in case. The composed twin is its partner, though the capital comes first.
    const Found greek = Find("\xE1\xBD\xB1\n", "\xCE\x86\n\xCE\xAC\n");
    EXPECT_EQ(greek.pairs, "1:1:case 1:2:composition ");
    // The left hit counts under composition with its twin; the capital under case.
    EXPECT_EQ(greek.counts, (std::vector<std::uint64_t>{0, 1, 0, 0, 2, 0}));
    // A large group, matched through maps: "a" is the one-cause partner of "A"; each blank
    // variant pairs with "A" too, under blanks.
    std::string variants = "a\n";
    for (int i = 1; i <= 9; ++i)
        variants += std::string(static_cast<std::size_t>(i), ' ') + "a\n";
    const Found large = Find("A\n", variants);
    EXPECT_EQ(large.pairs.substr(0, 19), "1:1:case 1:2:blanks");
    EXPECT_EQ(large.counts, (std::vector<std::uint64_t>{9, 2, 0, 0, 0, 0}));
    // Text that is not UTF-8 keeps the table of capitals: each range's ends. Once read as
    // Windows-1252 it is UTF-8, and ICU folds it: "STRA\xDF" "E" meets "strasse".
    const Found table =
        Find("\xFF\xC3\x80\xC3\x9E \xC4\x80\xC4\xB9\xC5\xB8 \xCE\x91\xCE\xA9 \xD0\x80\xD0\x8F "
             "\xD0\x90\xD0\xAF Z\nSTRA\xDF"
             "E\n",
             "\xFF\xC3\xA0\xC3\xBE \xC4\x81\xC4\xBA\xC3\xBF \xCE\xB1\xCF\x89 \xD1\x90\xD1\x9F "
             "\xD0\xB0\xD1\x8F z\nstrasse\n");
    EXPECT_EQ(table.pairs, "1:1:case 2:2:case ");
}

TEST(NearMisses, AHitCountsOnceUnderItsFirstNeededCause) {
    // Blanks and case: blanks. Windows-1252 capitals: case before encoding.
    const Found found = Find("Apple \nCAF\xC9\n", "x\napple\ncafé\n");
    EXPECT_EQ(found.pairs, "1:2:blanks 2:3:case ");
    EXPECT_EQ(found.counts, (std::vector<std::uint64_t>{2, 2, 0, 0, 0, 0}));
}

TEST(NearMisses, FoundThoughIgnoringEveryCauseWouldPartThem) {
    // "H" and a macron below has no precomposed form, its small letter has one (U+1E96):
    // alike once case is ignored, apart once composition is too. A no-break space before a
    // stray byte: alike once blanks are ignored, apart once the line reads as Windows-1252.
    EXPECT_EQ(Find("H\xCC\xB1\n\xC2\xA0\xA9\n", "h\xCC\xB1\n\xA9\n").pairs, "1:1:case 2:2:blanks ");
}

TEST(NearMisses, CopiesPairWithTheFirstMatchAndNeverWithinOneList) {
    // Both "a " pair with the first "a"; its copy pairs back with the first "a ". "A" matches
    // only once case is ignored too, and needs no more than that.
    const Found found = Find("a \na \nA\n", "a\nb\na\n");
    EXPECT_EQ(found.pairs, "1:1:blanks 1:3:blanks 2:1:blanks 3:1:case ");
    EXPECT_EQ(found.counts, (std::vector<std::uint64_t>{4, 1, 0, 0, 0, 0}));
    // Lines alike within one list only are no near misses.
    EXPECT_EQ(Find("a\nA\na \n", "b\n").pairs, "");
    // Blanks of mixed kinds at one end go, however they alternate.
    EXPECT_EQ(Find("x \xC2\xA0\n", "\xC2\xA0 x\n").pairs, "1:1:blanks ");
    // A line whose only capital is the last letter; the only pair, whose hash comes first.
    EXPECT_EQ(Find("Zz\n", "zz\n").pairs, "1:1:case ");
    // A byte order mark stands at a list's start only.
    EXPECT_EQ(Find("x\n\xEF\xBB\xBFhead\n", "head\n").pairs, "");
}

TEST(NearMisses, FoldsLeaveOutOnlyCausesThatCannotChangeALine) {
    // The matcher folds a line again only for causes in MayChange: leaving the others out
    // must fold every line alike, a Windows-1252 soft hyphen (0xAD) included.
    for (const std::string_view line :
         {"Plain", " ok\t",
          "\xEF\xBB\xBF"
          "A",
          "CAF\xC9\xAD", "e\xCC\x81 ", "\xE2\x80\x8Bx", "\xE2\x84\xAB"}) {
        for (const bool firstLine : {false, true}) {
            const cli::CauseSet mayChange = cli::MayChange(line, firstLine);
            std::string all, some;
            for (cli::CauseSet causes = 0; causes <= cli::FirstCauses(cli::kNearMissCauses);
                 ++causes)
                EXPECT_EQ(cli::FoldLine(line, causes & mayChange, firstLine, some),
                          cli::FoldLine(line, causes, firstLine, all))
                    << cli::Escaped(line) << " causes " << causes;
        }
    }
}

TEST(NearMisses, ReportShowsInvisibleBytes) {
    const core::LoadedList l(std::string("a\xC2\xA0\nb\\\n")), r(std::string("a\nb\\ \n"));
    const core::ListComparison comparison(l, r);
    const cli::NearMisses nearMisses(comparison);
    EXPECT_EQ(nearMisses.SummaryText(), "near misses: 4 of 4 single hits\n"
                                        "  blanks: 4\n"
                                        "    L1 \"a\\xC2\\xA0\"  R1 \"a\"\n"
                                        "    L2 \"b\\x5C\"  R2 \"b\\x5C \"\n");
    EXPECT_EQ(cli::NearMisses::PairLine(nearMisses.Pairs().at(0)), "1\t1\tblanks\ta\\xC2\\xA0\ta");

    // Five examples a cause at most.
    const core::LoadedList six(std::string("a \nb \nc \nd \ne \nf \n")),
        plain(std::string("a\nb\nc\nd\ne\nf\n"));
    const std::string summary = cli::NearMisses(core::ListComparison(six, plain)).SummaryText();
    EXPECT_TRUE(summary.ends_with("    L5 \"e \"  R5 \"e\"\n")) << summary;
}

} // namespace
