#pragma once
// The fold regions of an editor's text, whether each is collapsed, and the rows they leave:
// the row map that a collapsed region fills.
//
// Regions are found by the region scan (RegionScan.h) from the language a styler gives, and
// only when folding is on. They follow the document as it changes: a line that goes takes
// its region with it (when it started one), the regions below move, and an edit on a line
// that a collapsed region hides opens that region, so no text changes out of sight. A rebuild
// after edits rescans from a state kept above the first edited line and stops where the scan
// meets the state it had there before (states are kept every kStateInterval lines), so typing
// in a list of millions of lines rescans a few hundred of them.
//
// A line's fold state is answered here, from the sorted starts and ends of the regions, not
// kept in its record: a region over a million lines would otherwise give each of them a
// record of its own.
//
// Without folding, or with no region collapsed, the row map is the identity and costs a test.

#include <string>
#include <vector>

#include "memo/model/AdvMemoStrings.h"
#include "memo/model/RegionScan.h"
#include "memo/model/RowMap.h"

class TFoldRegions : public TRowMap, private core::DocumentListener {
public:
    static constexpr int kStateInterval = 256;

    explicit TFoldRegions(TAdvMemoStrings& lines);
    ~TFoldRegions() override;
    TFoldRegions(const TFoldRegions&) = delete;
    TFoldRegions& operator=(const TFoldRegions&) = delete;

    /// Folding on: the maps hide collapsed lines and rebuilds find regions.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    /// The language regions are found by; an empty one finds none (and drops all regions).
    void SetLanguage(TRegionLanguage language);
    const TRegionLanguage& Language() const { return language_; }

    /// Finds the regions again where the text changed since the last rebuild (everywhere after
    /// a new language or a whole new text). Nothing without folding or a language. Lines that
    /// start a region again keep their collapsed state; new regions start expanded.
    void RebuildRegions();
    /// Regions are known to be out of date (an edit since the last rebuild).
    bool Stale() const { return dirtyFirst_ >= 0; }

    // --- the regions ---
    int RegionCount() const { return static_cast<int>(regions_.size()); }
    const std::vector<TRegionPair>& Regions() const { return regions_; }
    /// Adds the region start..end when 0 <= start < end < line count and start starts none.
    bool AddRegion(int start, int end);
    bool IsRegionStart(int line) const;
    /// How many regions end on `line`.
    int RegionEndCount(int line) const;
    /// Some region holds `line` after its start line.
    bool IsInside(int line) const;
    /// The region starting on `line` is open (true for a line that starts none).
    bool IsExpanded(int line) const;
    bool IsCollapsed(int line) const { return !IsExpanded(line); }
    /// For a region start: the line where the regions opened from it on close again, counting
    /// each start on the way as one more level; -1 when they never do.
    int EndOfRegion(int line) const;
    /// Opens or closes the region starting on `line`; false when nothing changed (folding off,
    /// no region starts there, or it already is so).
    bool SetExpanded(int line, bool value);
    /// A region start whose first word belongs to a definition that shows comments: its
    /// caption, the line's leading blanks then "[" the text after that word up to the comment's
    /// closing marker, trimmed, "]".
    bool RegionCaption(int line, std::string& caption) const;
    /// `line` starts a collapsed region that shows a caption: keys other than Enter leave it.
    bool ShowsCaption(int line) const;
    /// Opens every collapsed region that hides `line`.
    void Reveal(int line);
    /// Opens every collapsed region that hides one of the lines first..last.
    void RevealRange(int first, int last);
    /// A line is about to go: the region it starts goes with it.
    void RegionLineDeleted(int line);

    // --- the row map ---
    int LineOfRow(int row) const override;
    int RowOfLine(int line) const override;
    int RowCount(int lineCount) const override;
    /// No line is hidden: the maps are the identity.
    bool Identity() const { return !enabled_ || collapsed_.empty(); }
    bool IsHidden(int line) const;

private:
    struct Checkpoint {
        int Line; // the state at the start of this line
        TRegionScanState State;
    };
    struct Span {
        int First, Last; // hidden lines
        int HiddenBefore;
    };

    void LinesRemoving(int first, int count) override;
    void LinesChanged(const core::LineChange& change) override;
    void Forget();
    /// Rescans from the checkpoint at or above `from` until the scan meets a kept state at or
    /// below `settledFrom`, or the end.
    void Rescan(int from, int settledFrom);
    void Replace(int first, int last, std::vector<TRegionPair> found);
    void BuildSpans() const;
    /// The last span that starts at or above `line`, or nullptr.
    const Span* SpanAtOrAbove(int line) const;
    /// The span holding `line`, or nullptr.
    const Span* SpanOf(int line) const;

    TAdvMemoStrings& lines_;
    bool enabled_ = false;
    TRegionLanguage language_;
    std::vector<TRegionPair> regions_; // by start line
    std::vector<int> ends_;            // the regions' end lines, sorted
    std::vector<int> collapsed_;       // start lines of collapsed regions, sorted
    std::vector<Checkpoint> checkpoints_; // by line
    int dirtyFirst_ = -1;              // lines [dirtyFirst_, dirtyEnd_) changed since the scan
    int dirtyEnd_ = -1;
    bool rescanAll_ = true;
    mutable std::vector<Span> spans_;
    mutable bool spansStale_ = true;
};
