#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/TextCodec.h"

namespace {

// The code points of a UTF-8 text (the input is known to be valid).
std::u32string Decode(const std::string& utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k < len; ++k)
            c = (c << 6) |
                (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        out.push_back(c);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

} // namespace

TEST(TextCodec, ValidUtf8IsAcceptedAndShownUnchanged) {
    for (const std::string& s : {std::string(), std::string("plain ascii line"),
                                 std::string("gr\xC3\xBC\xC3\x9F"
                                             "e"),                // grüße
                                 std::string("\xE2\x82\xAC"),     // euro sign
                                 std::string("\xF0\x9F\x98\x80"), // U+1F600
                                 std::string("\xF4\x8F\xBF\xBF"), // U+10FFFF, the last one
                                 std::string("\xED\x9F\xBF")}) {  // U+D7FF, below surrogates
        EXPECT_TRUE(IsValidUtf8(s)) << s;
        EXPECT_EQ(DisplayUtf8(s), s);
    }
}

TEST(TextCodec, StrictRejectsOverlongsSurrogatesAndOutOfRange) {
    for (const std::string& s : {
             std::string("\xC0\x80"),         // overlong NUL
             std::string("\xC1\xBF"),         // overlong 0x7F
             std::string("\xE0\x80\xAF"),     // overlong '/'
             std::string("\xF0\x80\x80\xAF"), // overlong '/'
             std::string("\xED\xA0\x80"),     // U+D800
             std::string("\xED\xBF\xBF"),     // U+DFFF
             std::string("\xF4\x90\x80\x80"), // U+110000
             std::string("\xF5\x80\x80\x80"), // lead byte past the range
             std::string("\x80"),             // stray continuation
             std::string("\xC3"),             // cut short at the end
             std::string("\xE2\x82"),         // cut short at the end
             std::string("\xE2\x28\xA1"),     // continuation missing
         })
        EXPECT_FALSE(IsValidUtf8(s)) << testing::PrintToString(s);
}

TEST(TextCodec, InvalidByteFoundBehindLongAsciiRuns) {
    // The ASCII run is skipped in words; a bad byte at any offset must still be seen.
    for (std::size_t at = 0; at < 20; ++at) {
        std::string s(20, 'a');
        s[at] = '\xE9';
        EXPECT_FALSE(IsValidUtf8(s)) << at;
    }
}

TEST(TextCodec, BytesOutsideValidSequencesMapThroughWindows1252) {
    EXPECT_EQ(DisplayUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(DisplayUtf8("\x80"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(DisplayUtf8("\x99"), "\xE2\x84\xA2"); // trade mark
    EXPECT_EQ(DisplayUtf8("\x9F"), "\xC5\xB8");     // Y with diaeresis
    EXPECT_EQ(DisplayUtf8("\xA0\xFF"), "\xC2\xA0\xC3\xBF");
    // Each sequence is judged on its own: a 1252 byte does not spoil valid UTF-8 beside it.
    EXPECT_EQ(DisplayUtf8("caf\xC3\xA9 \xE9"), "caf\xC3\xA9 \xC3\xA9");
    EXPECT_EQ(Decode(DisplayUtf8("\xC3\xBC\xFC")), (std::u32string{0xFC, 0xFC}));
    // An invalid sequence is its bytes one by one, the byte after a cut one included.
    EXPECT_EQ(Decode(DisplayUtf8("\xE2\x82x\xC0\xAF\xED\xA0\x80")),
              (std::u32string{0xE2, 0x201A, 'x', 0xC0, 0xAF, 0xED, 0xA0, 0x20AC}));
}

TEST(TextCodec, UnusedWindows1252BytesBecomeC1Controls) {
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const std::u32string shown = Decode(DisplayUtf8(std::string(1, static_cast<char>(b))));
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], static_cast<char32_t>(b));
    }
}

TEST(TextCodec, NoTwoBytesLookAlike) {
    // Nothing is lost: all 256 bytes show as 256 different characters, one each.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::u32string shown = Decode(DisplayUtf8(all));
    ASSERT_EQ(shown.size(), 256u);
    EXPECT_EQ(std::set<char32_t>(shown.begin(), shown.end()).size(), 256u);
    EXPECT_TRUE(IsValidUtf8(DisplayUtf8(all)));
}

TEST(TextCodec, IteratorWalksSequenceBySequence) {
    const std::string_view line = "a\xC3\xA9\xE9\xF0\x9F\x98\x80\xE2\x82";
    std::vector<std::tuple<std::size_t, std::size_t, char32_t>> seen;
    for (const DisplayChar& c : DisplayChars(line))
        seen.emplace_back(c.offset, c.length, c.ch);
    const std::vector<std::tuple<std::size_t, std::size_t, char32_t>> expected = {
        {0, 1, 'a'}, {1, 2, 0xE9}, {3, 1, 0xE9}, {4, 4, 0x1F600}, {8, 1, 0xE2}, {9, 1, 0x201A}};
    EXPECT_EQ(seen, expected);
    // Started at a character boundary inside the line, it goes on from there.
    EXPECT_EQ((*DisplayChars(line, 4).begin()).ch, 0x1F600u);
    EXPECT_TRUE(DisplayChars(line, line.size()).begin() == std::default_sentinel);
}

TEST(TextCodec, CharacterStartAgreesWithDecodingFromTheLineStart) {
    // Random bytes, mostly from the ranges that make and break sequences, against the plain
    // definition: walk the whole line and note where each byte's character starts.
    std::mt19937 random(7);
    const unsigned char pool[] = {'a',  0x80, 0x8F, 0x9F, 0xA0, 0xBF, 0xC0, 0xC2, 0xDF,
                                  0xE0, 0xE2, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    for (int round = 0; round < 2000; ++round) {
        std::string line(1 + random() % 12, ' ');
        for (char& ch : line)
            ch = static_cast<char>(pool[random() % sizeof pool]);
        std::vector<std::size_t> startOf(line.size());
        for (const DisplayChar& c : DisplayChars(line))
            for (std::size_t i = c.offset; i < c.offset + c.length; ++i)
                startOf[i] = c.offset;
        for (std::size_t i = 0; i < line.size(); ++i)
            ASSERT_EQ(DisplayCharStart(line, i), startOf[i])
                << "byte " << i << " of " << testing::PrintToString(line);
    }
}

TEST(TextCodec, AppendDisplayUtf8JudgesEachPieceOnItsOwn) {
    std::string out = "x";
    AppendDisplayUtf8(out, "\xC3\xA9"); // valid: kept
    AppendDisplayUtf8(out, "\xE9");     // invalid: mapped
    EXPECT_EQ(out, "x\xC3\xA9\xC3\xA9");
}
