#include "memo/model/SelectionText.h"

#include <algorithm>

#include "memo/model/AdvMemoStrings.h"
#include "platform/TextCodec.h"

std::string TextBetween(const TAdvMemoStrings& lines, TPoint first, TPoint last) {
    if (Before(last, first))
        std::swap(first, last);
    if (first == last || first.Y < 0 || last.Y >= lines.Count())
        return {};
    auto part = [&](int line, int from, int to) {
        const std::string_view text = lines.Get(line);
        const auto size = static_cast<int>(text.size());
        from = std::clamp(from, 0, size);
        to = std::clamp(to, from, size);
        return text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    };
    if (first.Y == last.Y)
        return std::string(part(first.Y, first.X, last.X));
    std::string text(part(first.Y, first.X, lines.LineLength(first.Y)));
    for (int line = first.Y + 1; line < last.Y; ++line) {
        text += "\r\n";
        text += lines.Get(line);
    }
    text += "\r\n";
    text += part(last.Y, 0, last.X);
    return text;
}

int LinearOffset(const TAdvMemoStrings& lines, TPoint place) {
    int offset = place.X;
    const int before = std::min(place.Y, lines.Count());
    for (int line = 0; line < before; ++line)
        offset += lines.LineLength(line) + 2;
    return offset;
}

std::pair<int, int> WordAtCaret(std::string_view line, int column, std::string_view extra) {
    const auto size = static_cast<int>(line.size());
    const int from = column > 0 ? column - 1 : 0;
    if (from >= size || IsWordAtCaretDelimiter(line[static_cast<std::size_t>(from)], extra))
        return {from, from};
    int start = from;
    while (start > 0 && !IsWordAtCaretDelimiter(line[static_cast<std::size_t>(start - 1)], extra))
        --start;
    int end = from;
    while (end < size && !IsWordAtCaretDelimiter(line[static_cast<std::size_t>(end)], extra))
        ++end;
    return {start, end};
}

int WordBeforeCaret(std::string_view line, int column) {
    if (column <= 0 || column > static_cast<int>(line.size()))
        return column;
    int start = column;
    while (start > 0 && !IsWordBeforeCaretDelimiter(line[static_cast<std::size_t>(start - 1)]))
        --start;
    return start;
}

int NextCharColumn(std::string_view line, int column) {
    if (column < 0 || column >= static_cast<int>(line.size()))
        return column + 1;
    return column +
           static_cast<int>(DecodeDisplayChar(line, static_cast<std::size_t>(column)).length);
}

int PreviousCharColumn(std::string_view line, int column) {
    if (column <= 0 || column > static_cast<int>(line.size()))
        return column - 1;
    return static_cast<int>(DisplayCharStart(line, static_cast<std::size_t>(column - 1)));
}

int NearestCharColumn(std::string_view line, int column) {
    if (column <= 0 || column >= static_cast<int>(line.size()))
        return column;
    const int start = static_cast<int>(DisplayCharStart(line, static_cast<std::size_t>(column)));
    if (start == column)
        return column;
    const int end = NextCharColumn(line, start);
    return column - start <= end - column ? start : end;
}
