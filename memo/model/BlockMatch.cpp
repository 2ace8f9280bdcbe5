#include "memo/model/BlockMatch.h"

#include <algorithm>
#include <string>
#include <vector>

#include "memo/model/AdvMemoStrings.h"
#include "memo/model/SelectionText.h"

namespace {

bool SameUpper(std::string_view a, std::string_view b) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return upper(x) == upper(y); });
}

/// The words of `text`, in order.
std::vector<TWordPlace> WordsOf(std::string_view text, int line, std::string_view delimiters) {
    std::vector<TWordPlace> words;
    const auto n = static_cast<int>(text.size());
    for (int at = 0; at < n;) {
        if (IsWordAtCaretDelimiter(text[static_cast<std::size_t>(at)], delimiters)) {
            ++at;
            continue;
        }
        int end = at;
        while (end < n && !IsWordAtCaretDelimiter(text[static_cast<std::size_t>(end)], delimiters))
            ++end;
        words.push_back({line, at, end - at});
        at = end;
    }
    return words;
}

} // namespace

std::optional<TBlockPair> MatchBlock(const TAdvMemoStrings& lines, int line, int column,
                                     std::string_view openWord, std::string_view closeWord,
                                     int first, int last, std::string_view delimiters) {
    if (openWord.empty() || closeWord.empty() || line < 0 || line >= lines.Count())
        return std::nullopt;
    const std::string_view text = lines.Get(line);
    const auto [start, end] = WordAtCaret(text, column, delimiters);
    if (start >= end)
        return std::nullopt;
    const std::string_view word = text.substr(static_cast<std::size_t>(start),
                                              static_cast<std::size_t>(end - start));
    const bool opens = SameUpper(word, openWord);
    if (!opens && !SameUpper(word, closeWord))
        return std::nullopt;
    const TWordPlace here{line, start, end - start};
    first = std::max(first, 0);
    last = std::min(last, lines.Count() - 1);
    // Down from an opening word, up from a closing one, a line at a time.
    int depth = 0;
    for (int at = line; opens ? at <= last : at >= first; at += opens ? 1 : -1) {
        std::vector<TWordPlace> words = WordsOf(lines.Get(at), at, delimiters);
        if (!opens)
            std::reverse(words.begin(), words.end());
        for (const TWordPlace& w : words) {
            // On the caret's own line only the words past the caret's word count.
            if (at == line && (opens ? w.Column < here.Column : w.Column > here.Column))
                continue;
            const std::string_view candidate = lines.Get(at).substr(
                static_cast<std::size_t>(w.Column), static_cast<std::size_t>(w.Length));
            if (SameUpper(candidate, opens ? openWord : closeWord))
                ++depth;
            else if (SameUpper(candidate, opens ? closeWord : openWord) && --depth == 0)
                return opens ? TBlockPair{here, w} : TBlockPair{w, here};
        }
    }
    return std::nullopt;
}
