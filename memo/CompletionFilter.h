#pragma once
// The completion list's rules on plain text: which entries a word selects, how an entry is
// drawn in parts, what it inserts, and which columns of the caret line the insertion replaces.
//
// An entry is a kind word, a space and its text ("procedure WriteLn(text: string)"); one
// without a space has no kind word. Entries and lines are any bytes: nothing here looks past
// their ends, and letter case folds ASCII only.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "memo/Styler.h"

/// The parts an entry is drawn in: the kind word up to and including the first space (in the
/// kind's colour), the name (bold, up to the first "("), and the rest from the "(" on.
struct TEntryParts {
    std::string_view Kind;
    std::string_view Name;
    std::string_view Rest;
};
TEntryParts SplitEntry(std::string_view entry);

/// ASCII letters upper-cased; other bytes as they are.
std::string UpperCased(std::string_view text);

/// The entries whose text after the first space, upper-cased, begins with `upperWord` (every
/// entry for an empty word), in list order.
std::vector<TCompletionEntry> CompletionCandidates(const std::vector<TCompletionEntry>& entries,
                                                   std::string_view upperWord);

/// What an entry inserts: its text after the first space, cut before the first "(", ";" or
/// space; with `withParentheses`, "()" follows when the entry holds a "(".
std::string CompletionInsertion(std::string_view entry, bool withParentheses);

/// The columns [start, end) of the word around `column` in `line`, bounded by the characters
/// of `delimiters`: it runs left and right from the character left of `column` (the one at it
/// for column 0). No word there gives the empty range at `column`.
std::pair<int, int> WordAround(std::string_view line, int column, std::string_view delimiters);

/// What bounds the word completion starts from: space, the two quotes and the parentheses.
inline constexpr std::string_view kCompletionWordDelimiters = " \"'()";

/// After-dot mode: the column just after the last "." of the completion word before `column`,
/// or -1 when that part of the word holds none.
int AfterDotColumn(std::string_view line, int column);
