#pragma once
// The system caret of a control: a blinking bar drawn over what the control painted. Like the
// desktop's caret there is one blink time for every caret; 0xFFFFFFFF (kInfiniteBlink) keeps
// the caret on without blinking. A caret exists between Create and Destroy (or the end of its
// owner); it shows only between Show and Hide, and SetPos moves it in client coordinates.

#include <cstdint>
#include <memory>

#include "platform/Types.h"

class TCustomControl;

inline constexpr std::uint32_t kInfiniteBlink = 0xFFFFFFFF;

/// The blink time of every caret, in milliseconds: half a period.
std::uint32_t GetCaretBlinkTime();
void SetCaretBlinkTime(std::uint32_t milliseconds);

class TSystemCaret {
public:
    explicit TSystemCaret(TCustomControl& owner);
    ~TSystemCaret();
    TSystemCaret(const TSystemCaret&) = delete;
    TSystemCaret& operator=(const TSystemCaret&) = delete;

    void Create(int width, int height);
    void Destroy();
    bool Created() const { return created_; }
    void SetPos(TPoint position);
    TPoint Pos() const { return position_; }
    void Show();
    void Hide();
    /// Created and shown (it may be in the off half of a blink).
    bool Showing() const { return created_ && shown_; }
    /// Showing and in the visible half of its blink: drawn now.
    bool Lit() const;
    const TCustomControl& Owner() const { return owner_; }
    TRect Bounds() const {
        return {position_.X, position_.Y, position_.X + width_, position_.Y + height_};
    }

private:
    struct Impl;
    void Refresh();

    TCustomControl& owner_;
    std::unique_ptr<Impl> impl_;
    bool created_ = false;
    bool shown_ = false;
    TPoint position_;
    int width_ = 0;
    int height_ = 0;
};
