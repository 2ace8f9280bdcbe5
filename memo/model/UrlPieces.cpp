#include "memo/model/UrlPieces.h"

#include <algorithm>
#include <array>

#include <sys/stat.h>

namespace {

bool IsSeparator(char c) {
    return kUrlSeparators.find(c) != std::string_view::npos;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithLowered(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[i]) != prefix[i])
            return false;
    return true;
}

/// "%41" and the like back to their bytes, for the path of a file link.
std::string PercentDecoded(std::string_view text) {
    std::string out;
    const auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        c = Lower(c);
        return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 &&
            hex(text[i + 2]) >= 0) {
            out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

/// Something the system would run when opened: an executable file, or a desktop launcher.
bool Runnable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    const bool launcher = path.size() >= 8 && path.compare(path.size() - 8, 8, ".desktop") == 0;
    return launcher || (S_ISREG(info.st_mode) && (info.st_mode & 0111) != 0);
}

} // namespace

std::vector<TPiece> PiecesAround(std::string_view line, int from, int to, char literalEscape) {
    std::vector<TPiece> pieces;
    const auto length = static_cast<int>(line.size());
    from = std::clamp(from, 0, length);
    to = std::clamp(to, from, length);
    if (from == length)
        return pieces;
    // Back to where the piece holding `from` starts: a change of kind, or the reach's end
    // (a piece whose start lies further back is cut, and never a link).
    int start = from;
    const bool kind = IsSeparator(line[static_cast<std::size_t>(from)]);
    while (start > 0 && from - start < kPieceReach &&
           IsSeparator(line[static_cast<std::size_t>(start - 1)]) == kind)
        --start;
    const bool cut = start > 0 && IsSeparator(line[static_cast<std::size_t>(start - 1)]) == kind;
    // An escape and the character after it belong together, so a piece may not start between.
    if (literalEscape != '\0' && start > 0 && line[static_cast<std::size_t>(start - 1)] == literalEscape)
        --start;
    for (int at = start; at < length && at < std::max(to, from + 1);) {
        const bool separators = IsSeparator(line[static_cast<std::size_t>(at)]);
        int end = at;
        while (end < length && IsSeparator(line[static_cast<std::size_t>(end)]) == separators &&
               end < to + kPieceReach) {
            if (literalEscape != '\0' && line[static_cast<std::size_t>(end)] == literalEscape &&
                end + 1 < length)
                ++end;
            ++end;
        }
        pieces.push_back({at, end, separators, at == start && cut});
        at = end;
    }
    return pieces;
}

bool IsUrl(std::string_view piece) {
    static constexpr std::array<std::string_view, 7> kPrefixes = {
        "http://", "mailto:", "www.", "https://", "ftp://", "nntp://", "file://"};
    return std::any_of(kPrefixes.begin(), kPrefixes.end(),
                       [&](std::string_view prefix) { return StartsWithLowered(piece, prefix); });
}

bool IsUrlPiece(const TPiece& piece, std::string_view text) {
    return !piece.Separators && !piece.Cut && IsUrl(text);
}

std::optional<TPiece> UrlPieceAt(std::string_view line, int column, char literalEscape) {
    if (column < 0 || column >= static_cast<int>(line.size()))
        return std::nullopt;
    for (const TPiece& piece : PiecesAround(line, column, column + 1, literalEscape)) {
        if (column < piece.Start || column >= piece.End)
            continue;
        const std::string_view text = line.substr(static_cast<std::size_t>(piece.Start),
                                                  static_cast<std::size_t>(piece.End - piece.Start));
        if (!IsUrlPiece(piece, text))
            continue;
        // The whole link, however long: it is what a click opens.
        TPiece whole = piece;
        while (whole.End < static_cast<int>(line.size()) &&
               !IsSeparator(line[static_cast<std::size_t>(whole.End)]))
            ++whole.End;
        return whole;
    }
    return std::nullopt;
}

std::optional<std::string> UrlToOpen(std::string_view piece) {
    if (!IsUrl(piece))
        return std::nullopt;
    if (StartsWithLowered(piece, "www."))
        return "http://" + std::string(piece);
    if (StartsWithLowered(piece, "file://")) {
        // "file://host/path" and "file:///path": the path from its first slash on.
        std::string_view rest = piece.substr(7);
        const std::size_t slash = rest.find('/');
        const std::string path =
            PercentDecoded(slash == std::string_view::npos ? rest : rest.substr(slash));
        if (Runnable(path))
            return std::nullopt;
    }
    return std::string(piece);
}
