#pragma once
// Markers: an image in the gutter for some lines. Each marker belongs to a line and follows it
// as the document tells of changes: lines inserted or removed above it move it, and it goes
// with its line (a deleted line, or a line that Backspace joined into the one above). No
// editing code keeps markers in step; the list listens to the document itself.
//
// Markers are added and removed by the program (AddMarker, RemoveMarker); OnMarkerAdded and
// OnMarkerRemoved tell of each, a marker that goes with its line included. A line holds at most
// one marker: adding to a marked line changes that marker.

#include <functional>
#include <string>
#include <vector>

#include "core/TextDocument.h"
#include "platform/Types.h"

class TImageList;

struct TAdvMarker {
    std::string Text;
    int ImageIndex = 0;
    int LineNumber = 0;
};

class TAdvMarkerList : private core::DocumentListener {
public:
    /// Follows `document` from now on, until destroyed.
    explicit TAdvMarkerList(core::TextDocument& document);
    ~TAdvMarkerList();
    TAdvMarkerList(const TAdvMarkerList&) = delete;
    TAdvMarkerList& operator=(const TAdvMarkerList&) = delete;

    // --- settings ---
    /// The images markers show (not owned).
    TImageList* MarkerImageList() const { return images_; }
    void SetMarkerImageList(TImageList* images) { images_ = images; }
    /// Every marker shows DefaultMarkerImageIndex instead of its own image.
    bool UseDefaultMarkerImageIndex() const { return useDefault_; }
    void SetUseDefaultMarkerImageIndex(bool value) { useDefault_ = value; }
    int DefaultMarkerImageIndex() const { return defaultIndex_; }
    void SetDefaultMarkerImageIndex(int value) { defaultIndex_ = value; }
    TColor ImageTransparentColor() const { return transparent_; }
    void SetImageTransparentColor(TColor color) { transparent_ = color; }

    // --- the markers, in the order they were added ---
    int Count() const { return static_cast<int>(markers_.size()); }
    const TAdvMarker& Item(int index) const { return markers_[static_cast<std::size_t>(index)]; }
    /// Marks `line` (or changes its marker).
    void AddMarker(int line, int imageIndex, const std::string& text = {});
    /// Removes the marker of `line`; false when it has none.
    bool RemoveMarker(int line);
    bool MarkerAtLine(int line) const;
    /// Some marker lies below `line`.
    bool MarkerBelowLine(int line) const;
    /// The image `line` shows: its marker's (or the default), -1 without a marker.
    int MarkerImageIndex(int line) const;
    /// Every marker at or below `line` moves down (up) by one.
    void ShiftDown(int line);
    void ShiftUp(int line);

    std::function<void(const TAdvMarker&)> OnMarkerAdded;
    std::function<void(const TAdvMarker&)> OnMarkerRemoved;

private:
    void LinesRemoving(int first, int count) override;
    void LinesChanged(const core::LineChange& change) override;
    void Shift(int from, int by);
    const TAdvMarker* Find(int line) const;

    core::TextDocument& document_;
    std::vector<TAdvMarker> markers_;
    TImageList* images_ = nullptr;
    bool useDefault_ = false;
    int defaultIndex_ = -1;
    TColor transparent_ = 0xFFFFFF;
};
