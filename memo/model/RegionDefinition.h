#pragma once
// The kinds of fold region a language has, as a styler names them, and what the region scan
// reads of a styler: its definitions, its comment markers and the characters that cut a line
// into words.

#include <string>
#include <string_view>
#include <vector>

enum class TRegionType { rtOpen, rtClosed, rtFile, rtIgnore };

/// A kind of fold region; keywords are kept without the blanks around them.
///  - rtOpen: `Identifier` starts a region that runs to the line before the next rtOpen start.
///  - rtFile: `Identifier` starts a region that runs to the last line.
///  - rtClosed: `RegionStart` opens a region and `RegionEnd` closes it; an `Identifier` that
///    differs from `RegionStart` opens one that waits for its `RegionStart` (a routine's name
///    before its body) and is closed by the `RegionEnd` that matches that body.
///  - rtIgnore: paired as rtClosed, but makes no region (its keywords only keep the pairing of
///    the others right).
class TRegionDefinition {
public:
    const std::string& Identifier() const { return identifier_; }
    void SetIdentifier(std::string_view value);
    const std::string& RegionStart() const { return regionStart_; }
    void SetRegionStart(std::string_view value);
    const std::string& RegionEnd() const { return regionEnd_; }
    void SetRegionEnd(std::string_view value);
    TRegionType RegionType = TRegionType::rtClosed;
    /// A collapsed region of this kind shows a caption in brackets, and its start line
    /// refuses keys while collapsed.
    bool ShowComments = false;

private:
    std::string identifier_;
    std::string regionStart_;
    std::string regionEnd_;
};

/// What the region scan reads of a language. Keywords are upper-cased here once.
struct TRegionLanguage {
    struct Definition {
        TRegionType Type = TRegionType::rtClosed;
        std::string Identifier, RegionStart, RegionEnd; // upper case
        bool ShowComments = false;
    };
    std::vector<Definition> Definitions;
    std::string LineCommentMarker;
    std::string CommentOpenMarker;
    std::string CommentCloseMarker;
    /// Characters that end a word besides blanks (the language's symbols and the braces); one
    /// that is itself a keyword is a word of its own.
    std::string Separators;

    /// From a styler's definitions, comment markers and symbol characters.
    static TRegionLanguage From(const std::vector<TRegionDefinition>& definitions,
                                std::string lineComment, std::string commentOpen,
                                std::string commentClose, std::string_view symbols);
    bool Empty() const { return Definitions.empty(); }
};

/// ASCII letters upper-cased; other bytes as they are.
std::string UpperAscii(std::string_view text);
