#pragma once
// The markup as text, before it is cut into runs and tags: the ampersand mode, the named
// entities, the "<#" form and the line breaks, done once per call; the three entities that are
// replaced inside each run instead, so that they never start a tag; and the blanks trimmed
// where a line starts.

#include <string>
#include <string_view>

struct TMarkupSource {
    /// The text that the runs and tags are read from.
    std::string Text;
    /// True when the markup holds " & ": every "&" is then drawn as it is. Otherwise "&" underlines
    /// the next character and "&&" draws one "&".
    bool LiteralAmpersands = false;
};

/// The whole markup made ready for layout, in this order: the ampersand mode is read from the
/// markup as given; "&amp;" (to "&&"), "&quot;", "&sect;", "&permil;", "&reg;", "&copy;",
/// "&para;", "&trade;" and "&euro;" (to their Windows-1252 bytes) are replaced in any letter
/// case, round after round until a round replaces nothing; the first "<#" loses its "<" and the
/// first ">" after it; every CR becomes "<BR>" and every LF goes; trailing blanks and control
/// characters go.
TMarkupSource PreprocessMarkup(std::string_view markup);

/// A run as it is shown: "&nbsp;" becomes a blank, "&lt;" "<" and "&gt;" ">", in any case.
std::string ReplaceRunEntities(std::string_view run);

/// Blanks and control characters, which a line never starts with.
inline bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

/// True when `text` holds `word` at `at`, in any letter case.
bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view word);

/// The text as drawn without prefix processing: "&&" shows one "&", a lone "&" nothing (it
/// underlines the character after it).
std::string WithoutPrefixes(std::string_view run);
