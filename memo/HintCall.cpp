#include "memo/HintCall.h"

#include <algorithm>

#include "memo/CompletionFilter.h"

namespace {

bool IsNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' ||
           u >= 128;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The name an entry describes: what stands before its HintCharStart (none without one).
std::optional<std::string_view> EntryName(std::string_view entry, const THintParameter& hint) {
    const std::size_t open = entry.find(hint.HintCharStart);
    if (open == std::string_view::npos)
        return std::nullopt;
    return Trimmed(entry.substr(0, open));
}

// The name written just before column `open`: spaces, then a word of name characters.
std::string_view NameBefore(std::string_view line, int open) {
    int end = open;
    while (end > 0 && line[static_cast<std::size_t>(end - 1)] == ' ')
        --end;
    int start = end;
    while (start > 0 && IsNameChar(line[static_cast<std::size_t>(start - 1)]))
        --start;
    return line.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

bool SameName(std::string_view a, std::string_view b, bool caseSensitive) {
    return caseSensitive ? a == b : UpperCased(a) == UpperCased(b);
}

} // namespace

std::vector<std::pair<int, int>> HintParameterSpans(std::string_view entry,
                                                    const THintParameter& hint) {
    std::vector<std::pair<int, int>> spans;
    const std::size_t open = entry.find(hint.HintCharStart);
    if (open == std::string_view::npos)
        return spans;
    const auto size = static_cast<int>(entry.size());
    auto add = [&](int start, int end) {
        while (start < end && entry[static_cast<std::size_t>(start)] == ' ')
            ++start;
        while (end > start && entry[static_cast<std::size_t>(end - 1)] == ' ')
            --end;
        spans.emplace_back(start, end);
    };
    int depth = 0;
    int start = static_cast<int>(open) + 1;
    int x = start;
    for (; x < size; ++x) {
        const char c = entry[static_cast<std::size_t>(x)];
        if (c == hint.HintCharStart) {
            ++depth;
        } else if (c == hint.HintCharEnd) {
            if (depth == 0)
                break;
            --depth;
        } else if (depth == 0 &&
                   (c == hint.HintCharDelimiter || c == hint.HintCharWriteDelimiter)) {
            add(start, x);
            start = x + 1;
        }
    }
    add(start, x);
    // "Name()" has no parameters, not one empty one.
    if (spans.size() == 1 && spans.front().first == spans.front().second)
        spans.clear();
    return spans;
}

std::optional<THintCall> FindHintCall(std::string_view line, int column, const THintParameter& hint,
                                      const std::vector<std::pair<char, char>>& literals,
                                      bool caseSensitive) {
    struct Open {
        int column;
        int argument;
    };
    std::vector<Open> open;
    const int end = std::clamp(column, 0, static_cast<int>(line.size()));
    char literalEnd = 0;
    bool inLiteral = false;
    for (int x = 0; x < end; ++x) {
        const char c = line[static_cast<std::size_t>(x)];
        if (inLiteral) {
            inLiteral = c != literalEnd;
            continue;
        }
        const auto literal = std::find_if(literals.begin(), literals.end(),
                                          [c](const auto& pair) { return pair.first == c; });
        if (literal != literals.end() && c != '\0') {
            inLiteral = true;
            literalEnd = literal->second;
        } else if (c == hint.HintCharStart) {
            open.push_back({x, 0});
        } else if (c == hint.HintCharEnd) {
            if (!open.empty())
                open.pop_back();
        } else if (c == hint.HintCharWriteDelimiter) {
            if (!open.empty())
                ++open.back().argument;
        }
    }
    // The innermost open call that has an entry.
    for (auto call = open.rbegin(); call != open.rend(); ++call) {
        const std::string_view name = NameBefore(line, call->column);
        if (name.empty())
            continue;
        for (std::size_t i = 0; i < hint.Parameters.size(); ++i) {
            const auto entryName = EntryName(hint.Parameters[i], hint);
            if (entryName && SameName(*entryName, name, caseSensitive))
                return THintCall{static_cast<int>(i), call->argument, call->column};
        }
    }
    return std::nullopt;
}
