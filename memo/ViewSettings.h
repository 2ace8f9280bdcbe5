#pragma once
// Small settings objects owned by the list editor. Each setter compares, stores and reports
// the change through OnChange, which the editor connects to a repaint.

#include <utility>

#include "platform/Graphics.h"
#include "platform/Types.h"

/// The one setter step of the editor and its settings: a changed value is stored, then
/// `changed` runs (a repaint, a relayout, a report to the owner).
template <class T, class Changed> bool StoreChanged(T& field, T value, Changed&& changed) {
    if (field == value)
        return false;
    field = std::move(value);
    changed();
    return true;
}

/// A settings object: every setter stores a changed value and reports it.
class TMemoSettings {
public:
    TNotifyEvent OnChange;

protected:
    template <class T> void Set(T& field, T value) {
        StoreChanged(field, value, [this] {
            if (OnChange)
                OnChange(nullptr);
        });
    }
};

class TAdvActiveLineSettings : public TMemoSettings {
public:
    TColor ActiveLineColor() const { return activeLineColor_; }
    void SetActiveLineColor(TColor v) { Set(activeLineColor_, v); }
    TColor ActiveLineTextColor() const { return activeLineTextColor_; }
    void SetActiveLineTextColor(TColor v) { Set(activeLineTextColor_, v); }
    bool ShowActiveLine() const { return showActiveLine_; }
    void SetShowActiveLine(bool v) { Set(showActiveLine_, v); }
    bool ShowActiveLineIndicator() const { return showActiveLineIndicator_; }
    void SetShowActiveLineIndicator(bool v) { Set(showActiveLineIndicator_, v); }
    /// While on, the active line follows the caret.
    bool ActiveLineAtCursor() const { return activeLineAtCursor_; }
    void SetActiveLineAtCursor(bool v) { Set(activeLineAtCursor_, v); }

private:
    TColor activeLineColor_ = clNavy;
    TColor activeLineTextColor_ = clYellow;
    bool showActiveLine_ = false;
    bool showActiveLineIndicator_ = false;
    bool activeLineAtCursor_ = false;
};

/// Folding settings. Regions come from an attached styler; without one nothing folds. The
/// glyphs, when set, stand in the fold column's boxes for the drawn signs: ExpandGlyph on a
/// collapsed region (a click expands it), CollapsedGlyph on an open one.
class TCodeFolding : public TMemoSettings {
public:
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { Set(enabled_, v); }
    TColor LineColor() const { return lineColor_; }
    void SetLineColor(TColor v) { Set(lineColor_, v); }
    const TBitmap& ExpandGlyph() const { return expandGlyph_; }
    const TBitmap& CollapsedGlyph() const { return collapsedGlyph_; }
    /// Keeps a copy of `glyph`; always reports a change.
    void SetExpandGlyph(const TBitmap& glyph) { SetGlyph(expandGlyph_, glyph); }
    void SetCollapsedGlyph(const TBitmap& glyph) { SetGlyph(collapsedGlyph_, glyph); }
    /// Takes `other`'s Enabled and LineColor (not its glyphs).
    void Assign(const TCodeFolding& other) {
        SetEnabled(other.enabled_);
        SetLineColor(other.lineColor_);
    }

private:
    void SetGlyph(TBitmap& field, const TBitmap& glyph) {
        field.SetSize(glyph.Width(), glyph.Height());
        for (int y = 0; y < glyph.Height(); ++y)
            for (int x = 0; x < glyph.Width(); ++x)
                field.Canvas().SetPixel(x, y, glyph.Pixel(x, y));
        if (OnChange)
            OnChange(nullptr);
    }

    bool enabled_ = false;
    TColor lineColor_ = clGray;
    TBitmap expandGlyph_;
    TBitmap collapsedGlyph_;
};

/// A colour triple for a kind of text (links, comments, numbers): its text colour, its
/// background (clNone: the editor's) and its font style; the defaults are the links'.
struct TCharStyle {
    TColor TextColor = clBlue;
    TColor BkColor = clWhite;
    TFontStyles Style{TFontStyle::fsUnderline};
    friend bool operator==(const TCharStyle&, const TCharStyle&) = default;
};

enum class TScrollMode { smAuto, smStrict };
enum class TWordWrap { wwNone, wwClientWidth, wwRightMargin };
