#pragma once
// Web and mail addresses in a line. A line is cut into pieces: runs of separators (space,
// double quote, single quote, comma) and runs of anything else, alternating. A piece is a URL
// when, lower-cased, it begins with one of the URL prefixes. The painter shows URL pieces in
// the link style; the pointer turns into a hand over them and a click opens them.
//
// Only the pieces around the columns asked for are cut, from at most kPieceReach bytes before
// them: a line of millions of bytes costs a paint no more than a short one, and a word longer
// than that reach is no link.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// A piece of a line: columns [Start, End).
struct TPiece {
    int Start = 0;
    int End = 0;
    bool Separators = false;
    bool Cut = false; // it starts further back than the reach: its start is unknown
    friend bool operator==(const TPiece&, const TPiece&) = default;
};

inline constexpr std::string_view kUrlSeparators = " \"',";
inline constexpr int kPieceReach = 4096;

/// The pieces of `line` that hold any of the columns [from, to), in order. `literalEscape`
/// (a styler's, or '\0' for none) stays in its piece with the character after it.
std::vector<TPiece> PiecesAround(std::string_view line, int from, int to,
                                 char literalEscape = '\0');

/// The lower-cased piece begins with "http://", "mailto:", "www.", "https://", "ftp://",
/// "nntp://" or "file://".
bool IsUrl(std::string_view piece);

/// A piece of words, whole, whose text `text` is a URL.
bool IsUrlPiece(const TPiece& piece, std::string_view text);

/// The URL piece that holds `column` (pieces hold [Start, End)), if there is one.
std::optional<TPiece> UrlPieceAt(std::string_view line, int column, char literalEscape = '\0');

/// What a click on URL piece `piece` hands to the desktop: the piece itself, "http://" in front
/// of one without a scheme ("www."); nothing for a "file://" link to something the system would
/// run (a program, a script, a desktop launcher), which is never opened from a list.
std::optional<std::string> UrlToOpen(std::string_view piece);
