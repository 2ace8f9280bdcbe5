#pragma once
// A line cut into tokens by a language: comments (to the line's end, or between markers across
// lines), bracketed literals (across lines while open), symbols, numbers, keywords, and the
// plain rest. The state that one line leaves (inside a comment, inside a literal) is where the
// next line starts; the editor keeps it at checkpoints, so a paint far down a long list
// tokenizes only from the checkpoint above its first line.
//
// URL pieces are no tokens of the language: where the editor is URL-aware they stay whole
// and take the link style.

#include <string>
#include <string_view>
#include <vector>

enum class TStyleType { stKeyword, stBracket, stSymbol };

/// One element of a language, as the tokenizer reads it.
struct TLanguageElement {
    TStyleType StyleType = TStyleType::stKeyword;
    std::vector<std::string> KeyWords; // sorted; lower case unless the language is case-sensitive
    char BracketStart = '\0';
    char BracketEnd = '\0';
    std::string Symbols;
};

struct TLanguage {
    std::vector<TLanguageElement> Elements;
    std::string LineCommentMarker;
    std::string CommentOpenMarker;
    std::string CommentCloseMarker;
    std::string NumberCharacters = "+-.0123456789";
    std::string HexPrefix;
    char LiteralEscape = '\0';
    bool CaseSensitive = false;
    bool UrlAware = true;
};

enum class TTokenClass { Plain, Comment, Number, Keyword, Bracket, Symbol, Url };

/// Columns [Start, End) of a line; Element for keywords, literals and symbols, else -1.
struct TToken {
    int Start = 0;
    int End = 0;
    TTokenClass Class = TTokenClass::Plain;
    int Element = -1;
    friend bool operator==(const TToken&, const TToken&) = default;
};

/// Where a line starts: inside a multi-line comment, or inside a literal of an element.
struct TTokenState {
    bool InComment = false;
    int LiteralElement = -1;
    friend bool operator==(const TTokenState&, const TTokenState&) = default;
};

/// Tokenizes `line` from `state`; returns the state the next line starts in. `tokens`, when
/// given, receives the line's tokens in order, covering it.
TTokenState Tokenize(const TLanguage& language, std::string_view line, TTokenState state,
                     std::vector<TToken>* tokens);
