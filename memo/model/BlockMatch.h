#pragma once
// Block matching: with the caret on a block's opening word (or its closing word), the partner
// word that closes (or opens) it, counting the blocks nested between, within the lines shown.
// Words compare in upper case and are bounded by the word-at-caret delimiters.

#include <optional>
#include <string_view>

class TAdvMemoStrings;

/// A word of a line: columns [Column, Column + Length).
struct TWordPlace {
    int Line = -1;
    int Column = 0;
    int Length = 0;
    friend bool operator==(const TWordPlace&, const TWordPlace&) = default;
};

struct TBlockPair {
    TWordPlace Open;
    TWordPlace Close;
};

/// The pair the word at (`column`, `line`) belongs to, searched in lines [first, last];
/// nothing when that word is neither block word or its partner is not there.
std::optional<TBlockPair> MatchBlock(const TAdvMemoStrings& lines, int line, int column,
                                     std::string_view openWord, std::string_view closeWord,
                                     int first, int last, std::string_view delimiters);
