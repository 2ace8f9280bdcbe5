#include "memo/model/MarkerList.h"

#include <algorithm>

TAdvMarkerList::TAdvMarkerList(core::TextDocument& document) : document_(document) {
    document_.AddListener(*this);
}

TAdvMarkerList::~TAdvMarkerList() {
    document_.RemoveListener(*this);
}

const TAdvMarker* TAdvMarkerList::Find(int line) const {
    const auto it = std::find_if(markers_.begin(), markers_.end(),
                                 [&](const TAdvMarker& m) { return m.LineNumber == line; });
    return it == markers_.end() ? nullptr : &*it;
}

void TAdvMarkerList::AddMarker(int line, int imageIndex, const std::string& text) {
    if (line < 0)
        return;
    auto* marker = const_cast<TAdvMarker*>(Find(line));
    if (marker) {
        marker->ImageIndex = imageIndex;
        marker->Text = text;
    } else {
        markers_.push_back({text, imageIndex, line});
        marker = &markers_.back();
    }
    if (OnMarkerAdded)
        OnMarkerAdded(*marker);
}

bool TAdvMarkerList::RemoveMarker(int line) {
    const auto it = std::find_if(markers_.begin(), markers_.end(),
                                 [&](const TAdvMarker& m) { return m.LineNumber == line; });
    if (it == markers_.end())
        return false;
    const TAdvMarker gone = *it;
    markers_.erase(it);
    if (OnMarkerRemoved)
        OnMarkerRemoved(gone);
    return true;
}

bool TAdvMarkerList::MarkerAtLine(int line) const {
    return Find(line) != nullptr;
}

bool TAdvMarkerList::MarkerBelowLine(int line) const {
    return std::any_of(markers_.begin(), markers_.end(),
                       [&](const TAdvMarker& m) { return m.LineNumber > line; });
}

int TAdvMarkerList::MarkerImageIndex(int line) const {
    const TAdvMarker* marker = Find(line);
    if (!marker)
        return -1;
    return useDefault_ ? defaultIndex_ : marker->ImageIndex;
}

void TAdvMarkerList::Shift(int from, int by) {
    for (TAdvMarker& m : markers_)
        if (m.LineNumber >= from)
            m.LineNumber += by;
}

void TAdvMarkerList::ShiftDown(int line) {
    Shift(line, 1);
}

void TAdvMarkerList::ShiftUp(int line) {
    Shift(line, -1);
}

// Lines about to go take their markers along.
void TAdvMarkerList::LinesRemoving(int first, int count) {
    for (std::size_t i = markers_.size(); i-- > 0;) {
        const int line = markers_[i].LineNumber;
        if (line >= first && line - first < count)
            RemoveMarker(line);
    }
}

// The lines after a change move by what it added less what it removed.
void TAdvMarkerList::LinesChanged(const core::LineChange& change) {
    if (change.replacedAll)
        return; // every marker went as the old lines did
    if (change.added != change.removed)
        Shift(change.first + change.removed, change.added - change.removed);
}
