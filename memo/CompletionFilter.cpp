#include "memo/CompletionFilter.h"

#include <algorithm>

namespace {

// The entry's text after its first space (the whole entry without one).
std::string_view AfterKindWord(std::string_view entry) {
    const std::size_t space = entry.find(' ');
    return space == std::string_view::npos ? entry : entry.substr(space + 1);
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsDelimiter(char c, std::string_view delimiters) {
    return delimiters.find(c) != std::string_view::npos;
}

} // namespace

TEntryParts SplitEntry(std::string_view entry) {
    TEntryParts parts;
    const std::size_t space = entry.find(' ');
    const std::size_t kindEnd = space == std::string_view::npos ? 0 : space + 1;
    parts.Kind = entry.substr(0, kindEnd);
    const std::string_view text = entry.substr(kindEnd);
    const std::size_t paren = std::min(text.find('('), text.size());
    parts.Name = text.substr(0, paren);
    parts.Rest = text.substr(paren);
    return parts;
}

std::string UpperCased(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
    return upper;
}

std::vector<TCompletionEntry> CompletionCandidates(const std::vector<TCompletionEntry>& entries,
                                                   std::string_view upperWord) {
    std::vector<TCompletionEntry> candidates;
    for (const TCompletionEntry& entry : entries) {
        const std::string_view text = AfterKindWord(entry.Text);
        if (text.size() >= upperWord.size() &&
            UpperCased(text.substr(0, upperWord.size())) == upperWord)
            candidates.push_back(entry);
    }
    return candidates;
}

std::string CompletionInsertion(std::string_view entry, bool withParentheses) {
    std::string_view text = AfterKindWord(entry);
    text = text.substr(0, std::min(text.find_first_of("(; "), text.size()));
    std::string insertion(text);
    if (withParentheses && entry.find('(') != std::string_view::npos)
        insertion += "()";
    return insertion;
}

std::pair<int, int> WordAround(std::string_view line, int column, std::string_view delimiters) {
    const auto size = static_cast<int>(line.size());
    const int from = column > 0 ? column - 1 : 0;
    if (column < 0 || from >= size || IsDelimiter(line[static_cast<std::size_t>(from)], delimiters))
        return {column, column};
    int start = from;
    while (start > 0 && !IsDelimiter(line[static_cast<std::size_t>(start - 1)], delimiters))
        --start;
    int end = from;
    while (end < size && !IsDelimiter(line[static_cast<std::size_t>(end)], delimiters))
        ++end;
    return {start, end};
}

int AfterDotColumn(std::string_view line, int column) {
    const int end = std::clamp(column, 0, static_cast<int>(line.size()));
    for (int x = end - 1; x >= 0; --x) {
        const char c = line[static_cast<std::size_t>(x)];
        if (c == '.')
            return x + 1;
        if (IsDelimiter(c, kCompletionWordDelimiters))
            break;
    }
    return -1;
}
