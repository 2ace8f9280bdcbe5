#pragma once
// Standard controls: the simple push button and label, and the scroll bar.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/Controls.h"

/// A push button that raises OnClick.
class TButton : public TWinControl {
public:
    explicit TButton(TWinControl* parent);
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    /// Performs a click exactly as if the button were pressed.
    void Click() override;

private:
    std::string caption_;
};

/// A line of plain text.
class TLabel : public TControl {
public:
    explicit TLabel(TWinControl* parent);
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    /// With AutoSize (the default) setting the caption sizes the label to its text.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }

private:
    std::string caption_;
    bool autoSize_ = true;
};

enum class TScrollBarKind { sbHorizontal, sbVertical };
enum class TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};

/// A scroll bar child control with the system's scrolling rules: positions run from Min to
/// Max - PageSize + 1 (to Max when PageSize is 0).
class TScrollBar : public TWinControl {
public:
    TScrollBar(TWinControl* parent, TScrollBarKind kind);

    TScrollBarKind Kind() const { return kind_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    int PageSize() const { return pageSize_; }
    int Position() const { return position_; }
    /// Sets all four at once; the position is clamped to the range. Raises no event.
    void SetParams(int position, int min, int max, int pageSize);
    void SetPosition(int position);

    /// The user moved the bar: `code` says how, `position` is the new position, which the
    /// handler may change (it is kept within the range). Then the bar takes the position and
    /// OnChange follows when the position changed. A drag sends scTrack while it moves and
    /// scPosition at the release; scEndScroll is not sent.
    std::function<void(TObject* sender, TScrollCode code, int& position)> OnScroll;
    TNotifyEvent OnChange;

    /// Performs a user scroll as the framework would (arrows, page, drag, top, bottom).
    void Scroll(TScrollCode code, int trackPosition = 0);

private:
    int LastPosition() const;
    /// Moves the Qt bar to the stored values without raising its signals.
    void ApplyToBar();
    /// A user action on the Qt bar: scrolls with `code` and puts the bar where it ended.
    void UserScroll(TScrollCode code, int trackPosition);

    TScrollBarKind kind_;
    int min_ = 0;
    int max_ = 100;
    int pageSize_ = 0;
    int position_ = 0;
    bool scrolling_ = false; // inside a user scroll: the bar's own value changes are ours
};
