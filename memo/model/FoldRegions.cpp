#include "memo/model/FoldRegions.h"

#include <algorithm>
#include <iterator>

namespace {

auto StartAtOrAfter(std::vector<TRegionPair>& regions, int line) {
    return std::lower_bound(regions.begin(), regions.end(), line,
                            [](const TRegionPair& r, int l) { return r.Start < l; });
}

auto StartAtOrAfter(const std::vector<TRegionPair>& regions, int line) {
    return std::lower_bound(regions.begin(), regions.end(), line,
                            [](const TRegionPair& r, int l) { return r.Start < l; });
}

/// Where line `line` went when lines [first, first + removed) became `added` lines: lines
/// below move; a line that went maps to `gone`.
int Follow(int line, int first, int removed, int added, int gone) {
    if (line < first + std::min(removed, added))
        return line;
    if (line >= first + removed)
        return line + added - removed;
    return gone;
}

} // namespace

TFoldRegions::TFoldRegions(TAdvMemoStrings& lines) : lines_(lines) {
    lines_.Document().AddListener(*this);
}

TFoldRegions::~TFoldRegions() {
    lines_.Document().RemoveListener(*this);
}

void TFoldRegions::SetEnabled(bool value) {
    enabled_ = value;
    spansStale_ = true;
}

void TFoldRegions::SetLanguage(TRegionLanguage language) {
    language_ = std::move(language);
    Forget();
}

void TFoldRegions::Forget() {
    regions_.clear();
    ends_.clear();
    collapsed_.clear();
    checkpoints_.clear();
    rescanAll_ = true;
    spansStale_ = true;
}

// --- following the document ----------------------------------------------------------------

void TFoldRegions::LinesRemoving(int first, int count) {
    if (regions_.empty())
        return;
    RevealRange(first, first + count - 1);
    // The regions these lines start go with them.
    std::vector<int> starts;
    for (auto it = StartAtOrAfter(regions_, first); it != regions_.end() && it->Start < first + count;
         ++it)
        starts.push_back(it->Start);
    for (const int start : starts)
        RegionLineDeleted(start);
}

void TFoldRegions::RegionLineDeleted(int line) {
    const auto it = StartAtOrAfter(regions_, line);
    if (it == regions_.end() || it->Start != line)
        return;
    ends_.erase(std::lower_bound(ends_.begin(), ends_.end(), it->End));
    regions_.erase(it);
    const auto c = std::lower_bound(collapsed_.begin(), collapsed_.end(), line);
    if (c != collapsed_.end() && *c == line) {
        collapsed_.erase(c);
        spansStale_ = true;
    }
}

void TFoldRegions::LinesChanged(const core::LineChange& change) {
    if (change.replacedAll) {
        Forget();
        dirtyFirst_ = dirtyEnd_ = -1;
        return;
    }
    const int first = change.first;
    const int removed = change.removed;
    const int added = change.added;
    const int lastNow = first + added; // the first line after the change, in the new numbers
    if (!regions_.empty()) {
        // A line changed or inserted out of sight opens what hides it (lines that go were
        // seen to before they went).
        if (removed == 0 || added > 0)
            RevealRange(first, first);
        if (added != removed) {
            // The regions below move with their lines; a region whose end went ends where
            // the change is.
            const int count = lines_.Count();
            bool dropped = false;
            for (TRegionPair& r : regions_) {
                r.Start = Follow(r.Start, first, removed, added, r.Start);
                r.End = std::min(Follow(r.End, first, removed, added, lastNow), count - 1);
                dropped = dropped || r.End <= r.Start;
            }
            std::erase_if(regions_, [](const TRegionPair& r) { return r.End <= r.Start; });
            for (int& end : ends_)
                end = std::min(Follow(end, first, removed, added, lastNow), count - 1);
            if (dropped) {
                ends_.clear();
                for (const TRegionPair& r : regions_)
                    ends_.push_back(r.End);
                std::sort(ends_.begin(), ends_.end());
            }
            for (int& c : collapsed_)
                c = Follow(c, first, removed, added, -1);
            std::erase(collapsed_, -1);
        }
    }
    std::erase_if(checkpoints_, [&](const Checkpoint& c) {
        return c.Line > first && c.Line <= first + removed;
    });
    for (Checkpoint& c : checkpoints_) {
        if (c.Line > first) {
            c.Line += added - removed;
            c.State.FollowChange(first, removed, added);
        }
    }
    // What changed since the last scan, in the new numbers.
    if (dirtyFirst_ < 0) {
        dirtyFirst_ = first;
        dirtyEnd_ = lastNow;
    } else {
        dirtyEnd_ = std::max(Follow(dirtyEnd_, first, removed, added, lastNow), lastNow);
        dirtyFirst_ = std::min(dirtyFirst_, first);
    }
    // No span holds the change now (what it touched was opened): those below it move.
    if (!spansStale_ && added != removed) {
        for (Span& span : spans_) {
            if (span.First > first) {
                span.First += added - removed;
                span.Last += added - removed;
            }
        }
    }
}

// --- finding the regions -------------------------------------------------------------------

void TFoldRegions::RebuildRegions() {
    if (!enabled_ || language_.Empty())
        return;
    if (rescanAll_) {
        regions_.clear();
        ends_.clear();
        checkpoints_.clear();
        Rescan(0, lines_.Count());
        rescanAll_ = false; // (nothing was collapsed: a new text or language forgot it all)
    } else if (dirtyFirst_ >= 0) {
        Rescan(dirtyFirst_, dirtyEnd_);
    }
    dirtyFirst_ = dirtyEnd_ = -1;

}

void TFoldRegions::Rescan(int from, int settledFrom) {
    const int count = lines_.Count();
    // Start from the last state kept at or above `from`.
    const auto above = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), from,
                                        [](int l, const Checkpoint& c) { return l < c.Line; });
    TRegionScanState state;
    int line = 0;
    if (above != checkpoints_.begin()) {
        state = std::prev(above)->State;
        line = std::prev(above)->Line;
    }
    const int scanFrom = line;
    // The states kept below are met as the scan passes them; those it passes are replaced
    // by the new ones.
    const auto firstBelow = static_cast<std::size_t>(above - checkpoints_.begin());
    std::size_t next = firstBelow;
    std::vector<Checkpoint> fresh;
    std::vector<TRegionPair> found;
    const TRegionScanner scanner(language_);
    int settled = -1;
    for (; line < count; ++line) {
        while (next < checkpoints_.size() && checkpoints_[next].Line < line)
            ++next;
        if (next < checkpoints_.size() && checkpoints_[next].Line == line && line >= settledFrom &&
            checkpoints_[next].State == state) {
            settled = line;
            break;
        }
        if ((line - scanFrom) % kStateInterval == 0 && line > scanFrom)
            fresh.push_back({line, state});
        scanner.Line(state, lines_.Get(line), line, found);
    }
    if (settled < 0) {
        scanner.End(state, count - 1, found);
        next = checkpoints_.size();
    }
    checkpoints_.erase(checkpoints_.begin() + static_cast<long>(firstBelow),
                       checkpoints_.begin() + static_cast<long>(next));
    checkpoints_.insert(checkpoints_.begin() + static_cast<long>(firstBelow),
                        std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    Replace(scanFrom, settled < 0 ? count : settled, found);
}

// The regions found on lines [first, last) are those found there now. Mostly they are the
// same ones, and nothing changes; else both lists are merged anew in one pass.
void TFoldRegions::Replace(int first, int last, std::vector<TRegionPair> found) {
    auto foundHere = [&](const TRegionPair& r) { return r.FoundOn() >= first && r.FoundOn() < last; };
    auto byStart = [](const TRegionPair& a, const TRegionPair& b) { return a.Start < b.Start; };
    std::vector<TRegionPair> old;
    std::copy_if(regions_.begin(), regions_.end(), std::back_inserter(old), foundHere);
    std::stable_sort(found.begin(), found.end(), byStart);
    // A region kept from outside starts on the line already (the scan marked it taken).
    std::erase_if(found, [&](const TRegionPair& r) {
        const auto at = StartAtOrAfter(regions_, r.Start);
        return at != regions_.end() && at->Start == r.Start && !foundHere(*at);
    });
    auto same = [](const TRegionPair& a, const TRegionPair& b) {
        return a == b && a.FoundBelowEnd == b.FoundBelowEnd;
    };
    if (std::equal(old.begin(), old.end(), found.begin(), found.end(), same))
        return;
    // What a collapsed region hides is counted from the regions in it: one that changes there
    // (or starts on a collapsed line) redraws the hidden spans.
    for (const auto* list : {&old, &found}) {
        for (const TRegionPair& r : *list) {
            if (!Identity() && (IsCollapsed(r.Start) || SpanOf(r.Start) || SpanOf(r.End)))
                spansStale_ = true;
        }
    }
    std::vector<TRegionPair> kept;
    kept.reserve(regions_.size());
    std::copy_if(regions_.begin(), regions_.end(), std::back_inserter(kept),
                 [&](const TRegionPair& r) { return !foundHere(r); });
    regions_.clear();
    std::merge(kept.begin(), kept.end(), found.begin(), found.end(), std::back_inserter(regions_),
               byStart);
    // The ends: those of the old regions out, those of the found ones in.
    std::vector<int> oldEnds, newEnds;
    for (const TRegionPair& r : old)
        oldEnds.push_back(r.End);
    for (const TRegionPair& r : found)
        newEnds.push_back(r.End);
    std::sort(oldEnds.begin(), oldEnds.end());
    std::sort(newEnds.begin(), newEnds.end());
    std::vector<int> keptEnds;
    keptEnds.reserve(ends_.size());
    std::set_difference(ends_.begin(), ends_.end(), oldEnds.begin(), oldEnds.end(),
                        std::back_inserter(keptEnds));
    ends_.clear();
    std::merge(keptEnds.begin(), keptEnds.end(), newEnds.begin(), newEnds.end(),
               std::back_inserter(ends_));
    // A line that starts no region any more forgets that it was collapsed.
    for (const TRegionPair& r : old) {
        if (IsCollapsed(r.Start) && !IsRegionStart(r.Start)) {
            collapsed_.erase(std::lower_bound(collapsed_.begin(), collapsed_.end(), r.Start));
            spansStale_ = true;
        }
    }
}

bool TFoldRegions::AddRegion(int start, int end) {
    if (start < 0 || start >= end || end >= lines_.Count() || IsRegionStart(start))
        return false;
    regions_.insert(StartAtOrAfter(regions_, start), {start, end, false});
    ends_.insert(std::upper_bound(ends_.begin(), ends_.end(), end), end);
    spansStale_ = true;
    return true;
}

// --- a line's fold state -------------------------------------------------------------------

bool TFoldRegions::IsRegionStart(int line) const {
    const auto it = StartAtOrAfter(regions_, line);
    return it != regions_.end() && it->Start == line;
}

int TFoldRegions::RegionEndCount(int line) const {
    const auto [from, to] = std::equal_range(ends_.begin(), ends_.end(), line);
    return static_cast<int>(to - from);
}

bool TFoldRegions::IsInside(int line) const {
    // Regions with start < line <= end: those started above, less those ended above.
    const auto startedAbove = StartAtOrAfter(regions_, line) - regions_.begin();
    const auto endedAbove = std::lower_bound(ends_.begin(), ends_.end(), line) - ends_.begin();
    return startedAbove > endedAbove;
}

bool TFoldRegions::IsExpanded(int line) const {
    return !std::binary_search(collapsed_.begin(), collapsed_.end(), line);
}

int TFoldRegions::EndOfRegion(int line) const {
    if (!IsRegionStart(line))
        return -1;
    // Walk the starts and ends below in line order: ends count against the depth, each start
    // on the way opens one more level.
    auto start = StartAtOrAfter(regions_, line + 1);
    auto end = std::upper_bound(ends_.begin(), ends_.end(), line);
    int depth = 1;
    int ended = 0;
    while (end != ends_.end()) {
        const int at = start != regions_.end() ? std::min(start->Start, *end) : *end;
        while (end != ends_.end() && *end == at) {
            ++ended;
            ++end;
        }
        if (ended >= depth)
            return at;
        if (start != regions_.end() && start->Start == at) {
            ++depth;
            ++start;
        }
    }
    return -1;
}

bool TFoldRegions::SetExpanded(int line, bool value) {
    if (!enabled_ || !IsRegionStart(line) || IsExpanded(line) == value)
        return false;
    const auto at = std::lower_bound(collapsed_.begin(), collapsed_.end(), line);
    if (value) {
        collapsed_.erase(at);
        spansStale_ = true; // what it hid may hold collapsed regions of its own
        return true;
    }
    collapsed_.insert(at, line);
    // Closing a region adds its span, taking in the spans inside it, unless it is hidden
    // itself (so closing region after region measures each once).
    if (!spansStale_ && !SpanOf(line)) {
        const int end = std::min(EndOfRegion(line), lines_.Count() - 1);
        if (end > line) {
            auto first = std::lower_bound(spans_.begin(), spans_.end(), line + 1,
                                          [](const Span& sp, int l) { return sp.First < l; });
            auto last = first;
            while (last != spans_.end() && last->First <= end)
                ++last;
            const int hiddenBefore = first == spans_.begin()
                                         ? 0
                                         : std::prev(first)->HiddenBefore +
                                               (std::prev(first)->Last - std::prev(first)->First + 1);
            auto placed = spans_.erase(first, last);
            placed = spans_.insert(placed, {line + 1, end, hiddenBefore});
            int hidden = hiddenBefore;
            for (auto it = placed; it != spans_.end(); ++it) {
                it->HiddenBefore = hidden;
                hidden += it->Last - it->First + 1;
            }
        }
    }
    return true;
}

void TFoldRegions::Reveal(int line) {
    RevealRange(line, line);
}

void TFoldRegions::RevealRange(int first, int last) {
    for (;;) {
        if (Identity())
            return;
        if (spansStale_)
            BuildSpans();
        // The first span that reaches `first`, if it starts by `last`.
        const auto it = std::lower_bound(spans_.begin(), spans_.end(), first,
                                         [](const Span& s, int l) { return s.Last < l; });
        if (it == spans_.end() || it->First > last)
            return;
        SetExpanded(it->First - 1, true);
    }
}

bool TFoldRegions::RegionCaption(int line, std::string& caption) const {
    if (!IsRegionStart(line) || line >= lines_.Count())
        return false;
    const std::string_view text = lines_.Get(line);
    std::size_t wordEnd = 0;
    const std::string word = TRegionScanner(language_).FirstWord(text, &wordEnd);
    const bool shows = std::any_of(language_.Definitions.begin(), language_.Definitions.end(),
        [&](const TRegionLanguage::Definition& d) {
            return d.ShowComments && !word.empty() &&
                   (word == d.Identifier || word == d.RegionStart);
        });
    if (!shows)
        return false;
    std::string_view rest = text.substr(wordEnd);
    if (const std::string& close = language_.CommentCloseMarker; !close.empty())
        rest = rest.substr(0, rest.find(close));
    const std::size_t from = rest.find_first_not_of(" \t");
    rest = from == std::string_view::npos ? std::string_view()
                                          : rest.substr(from, rest.find_last_not_of(" \t") - from + 1);
    const std::size_t indent = std::min(text.find_first_not_of(' '), text.size());
    caption = std::string(indent, ' ') + "[" + std::string(rest) + "]";
    return true;
}

bool TFoldRegions::ShowsCaption(int line) const {
    std::string caption;
    return enabled_ && IsCollapsed(line) && RegionCaption(line, caption);
}

// --- the row map ---------------------------------------------------------------------------

void TFoldRegions::BuildSpans() const {
    spans_.clear();
    spansStale_ = false;
    int hidden = 0;
    for (const int start : collapsed_) {
        if (!spans_.empty() && start <= spans_.back().Last)
            continue; // hidden itself: what it hides lies in the span already
        const int end = std::min(EndOfRegion(start), lines_.Count() - 1); // -1: it never ends
        if (end <= start)
            continue;
        spans_.push_back({start + 1, end, hidden});
        hidden += end - start;
    }
}

const TFoldRegions::Span* TFoldRegions::SpanAtOrAbove(int line) const {
    if (spansStale_)
        BuildSpans();
    const auto it = std::upper_bound(spans_.begin(), spans_.end(), line,
                                     [](int l, const Span& s) { return l < s.First; });
    return it == spans_.begin() ? nullptr : &*std::prev(it);
}

const TFoldRegions::Span* TFoldRegions::SpanOf(int line) const {
    if (Identity())
        return nullptr;
    const Span* span = SpanAtOrAbove(line);
    return span && line <= span->Last ? span : nullptr;
}

bool TFoldRegions::IsHidden(int line) const {
    return SpanOf(line) != nullptr;
}

int TFoldRegions::RowOfLine(int line) const {
    const Span* span = Identity() ? nullptr : SpanAtOrAbove(line);
    if (!span)
        return line;
    const Span& s = *span;
    if (line <= s.Last)
        return s.First - 1 - s.HiddenBefore; // the row of the start that hides it
    return line - s.HiddenBefore - (s.Last - s.First + 1);
}

int TFoldRegions::LineOfRow(int row) const {
    if (Identity())
        return row;
    if (spansStale_)
        BuildSpans();
    // The span whose first hidden line would have had a row at or above `row`.
    const auto it = std::upper_bound(spans_.begin(), spans_.end(), row,
                                     [](int r, const Span& s) { return r < s.First - s.HiddenBefore; });
    if (it == spans_.begin())
        return row;
    const Span& s = *std::prev(it);
    return row + s.HiddenBefore + (s.Last - s.First + 1);
}

int TFoldRegions::RowCount(int lineCount) const {
    if (lineCount <= 0)
        return 0;
    return RowOfLine(lineCount - 1) + 1;
}
