#pragma once
// The fold regions of a text, found by reading its lines from the top with a small state: the
// regions still open, and whether a comment is. The state at the start of a line depends only
// on the lines above it, so a rescan after an edit can start from a state kept at some line
// above the edit, and stop where its state equals the one the last scan had there: everything
// below is then as it was.
//
// A line is cut into words at blanks and at the language's separators (a separator that is
// itself a keyword is a word of its own); words are compared upper-cased, ASCII letters only.
// Comments are skipped (to the line's end after the line comment marker, and between the
// comment markers across lines), except that a comment's first word (up to a blank, ";", ":"
// or the closing marker) counts as a word. Each word is compared with the definitions in
// their order; the first one that knows it decides, its Identifier first, then its
// RegionStart, then its RegionEnd:
//  - an rtOpen Identifier starts a region and ends a running rtOpen one on the line before;
//  - an rtFile Identifier starts a region that runs to the last line;
//  - an rtClosed or rtIgnore Identifier that differs from its RegionStart opens a region that
//    waits for its body: the next RegionStart of its definition, while it is the innermost
//    open region, is that body and opens nothing of its own;
//  - any other RegionStart opens a region of the first definition that has it;
//  - a RegionEnd closes the innermost open region (waiting ones aside) whose definition has
//    it; waiting regions opened after that one are dropped; with none open it does nothing.
// A region whose end is not after its start is dropped, and so is one of rtIgnore. A line
// starts at most one region: the first that ends (in the order regions end) takes the line
// and the other regions opened there are dropped. Regions still open at the end of the text:
// rtOpen and rtFile ones run to the last line, closed ones are dropped.

#include <string_view>
#include <vector>

#include "memo/model/RegionDefinition.h"

/// A fold region: its start line and its end line (after the start).
struct TRegionPair {
    int Start = 0;
    int End = 0;
    /// Found on the line after its end (an rtOpen region that the next one ended).
    bool FoundBelowEnd = false;
    /// The line whose reading found the region.
    int FoundOn() const { return End + (FoundBelowEnd ? 1 : 0); }
    friend bool operator==(const TRegionPair& a, const TRegionPair& b) {
        return a.Start == b.Start && a.End == b.End;
    }
};

struct TOpenRegion {
    int Definition = 0;
    int Start = 0;              // its line; -1 when that line has gone since (matches nothing)
    bool WaitsForBody = false;  // an Identifier waiting for its RegionStart
    bool LineTaken = false;     // another region made on the same start line first
    friend bool operator==(const TOpenRegion&, const TOpenRegion&) = default;
};

struct TRegionScanState {
    bool InComment = false;
    std::vector<TOpenRegion> Closing; // rtClosed and rtIgnore ones, innermost last
    std::vector<TOpenRegion> Running; // rtOpen (at most one) and rtFile ones, in start order
    friend bool operator==(const TRegionScanState&, const TRegionScanState&) = default;
    /// Lines [first, first + removed) became `added` lines: the starts below move, the starts
    /// of lines that went become -1.
    void FollowChange(int first, int removed, int added);
};

class TRegionScanner {
public:
    explicit TRegionScanner(const TRegionLanguage& language) : language_(language) {}
    /// Reads line `line`, adding the regions that end on it to `found`.
    void Line(TRegionScanState& state, std::string_view text, int line,
              std::vector<TRegionPair>& found) const;
    /// The end of the text: running regions end on `lastLine`.
    void End(TRegionScanState& state, int lastLine, std::vector<TRegionPair>& found) const;
    /// The first word of `text` and where it ends (a comment's first word included).
    std::string FirstWord(std::string_view text, std::size_t* end = nullptr) const;

private:
    void Word(TRegionScanState& state, const std::string& word, int line,
              std::vector<TRegionPair>& found) const;
    void Finish(TRegionScanState& state, const TOpenRegion& region, int end,
                std::vector<TRegionPair>& found, bool foundBelowEnd = false) const;
    bool IsSeparator(char c) const;
    /// Calls `onWord` with each word of `text` outside comments, from the state's comment
    /// flag on, with where it ends; stops when `onWord` returns false.
    template <typename OnWord>
    void Words(bool& inComment, std::string_view text, OnWord onWord) const;

    const TRegionLanguage& language_;
};
