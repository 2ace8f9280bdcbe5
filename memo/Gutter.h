#pragma once
// The strip at the editor's left edge: line numbers, per-line marks and the active-line
// arrow. A settings object owned by the editor. It sees the editor only through what a
// paint hands it (TGutterRows) and reports its own changes through two events.

#include <functional>
#include <memory>
#include <string>

#include "memo/model/AdvMemoStrings.h"
#include "memo/model/RowMap.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

/// What the gutter reads of its editor for one paint.
class TAdvMarkerList;

struct TGutterRows {
    const TAdvMemoStrings* Lines = nullptr;
    const TAdvMarkerList* Markers = nullptr; // their images, 16 pixels before the rest
    const TRowMap* Rows = nullptr;
    int TopRow = 0; // the view's first row
    int LineHeight = 0;
    int Height = 0;      // the text area's height
    int ActiveLine = -1; // the active line, when its arrow is shown; else -1
};

class TAdvGutter {
public:
    TAdvGutter();
    ~TAdvGutter();

    /// A row's painter: canvas, row rectangle, row index (the row counted from the first row
    /// of the text; the row map says which line it shows).
    using RowPainter = std::function<void(TCanvas& canvas, const TRect& row, int index)>;

    /// The gutter needs repainting: its rectangle.
    std::function<void(const TRect&)> OnInvalidate;
    /// The gutter's width changed: the editor lays itself out again.
    std::function<void()> OnResize;

    int GutterWidth() const { return gutterWidth_; }
    void SetGutterWidth(int value);
    /// At least 45: the reference the line numbers are placed from.
    int GutterMargin() const { return gutterMargin_; }
    void SetGutterMargin(int value);
    TColor GutterColor() const { return gutterColor_; }
    void SetGutterColor(TColor value);
    /// clNone: a solid GutterColor gutter.
    TColor GutterColorTo() const { return gutterColorTo_; }
    void SetGutterColorTo(TColor value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    TFont& Font() { return *font_; }
    void SetFont(const TFont& font);
    TColor LineNumberTextColor() const { return lineNumberTextColor_; }
    void SetLineNumberTextColor(TColor value);
    bool ShowLineNumbers() const { return showLineNumbers_; }
    void SetShowLineNumbers(bool value);
    int LineNumberStart() const { return lineNumberStart_; }
    void SetLineNumberStart(int value);
    const std::string& NumberSuffix() const { return numberSuffix_; }
    void SetNumberSuffix(std::string value);
    bool ShowLeadingZeros() const { return showLeadingZeros_; }
    void SetShowLeadingZeros(bool value);
    int DigitCount() const { return digitCount_; }
    void SetDigitCount(int value);
    bool ShowModified() const { return showModified_; }
    void SetShowModified(bool value);
    TColor ModifiedColor() const { return modifiedColor_; }
    void SetModifiedColor(TColor value);
    TColor ModifiedColorBkg() const { return modifiedColorBkg_; }
    void SetModifiedColorBkg(TColor value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    // Placement inside the editor: left and top stay 1; the height follows the text area.
    int Left() const { return 1; }
    int Top() const { return 1; }
    /// GutterWidth, and more when the numbers shown have more than four digits, so that none
    /// is cut off; the stored GutterWidth stays as it is.
    int Width() const { return gutterWidth_ + numberRoom_; }
    /// Makes room for numbers of `digits` digits, `digitWidth` pixels each; four fit in
    /// GutterWidth. True when the width changed.
    bool FitNumbers(int digits, int digitWidth);
    /// The digits of the largest number shown for `lineCount` lines (zero padding counted).
    int DigitsShown(int lineCount) const;
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }
    TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }

    /// Border line, white line, background, then one `drawRow` call per visible row.
    void Paint(TCanvas& canvas, const TGutterRows& rows, const RowPainter& drawRow) const;

    /// The default row painter: the line number and the marks of row `index`.
    void PaintRow(TCanvas& canvas, const TRect& row, int index, const TGutterRows& rows) const;

    /// The digits of a line number, zero-padded when asked (the suffix follows them).
    std::string NumberText(long long number) const;
    /// Where the number's text starts, from the editor's left edge.
    int NumberLeft(const std::string& digits) const;

private:
    void Changed();
    void NumbersChanged();
    template <class T> void Store(T& field, T value);

    int gutterWidth_ = 45;
    int numberRoom_ = 0; // pixels added for numbers of more than four digits
    int digitWidth_ = 8; // the width of a digit in the gutter font, as last measured
    int gutterMargin_ = 45;
    TColor gutterColor_ = clBtnFace;
    TColor gutterColorTo_ = clWhite;
    TColor borderColor_ = 0x808080;
    std::unique_ptr<TFont> font_;
    TColor lineNumberTextColor_ = clBlack;
    bool showLineNumbers_ = true;
    int lineNumberStart_ = 1;
    std::string numberSuffix_;
    bool showLeadingZeros_ = false;
    int digitCount_ = 4;
    bool showModified_ = false;
    TColor modifiedColor_ = clYellow;
    TColor modifiedColorBkg_ = clLime;
    bool visible_ = true;
    int height_ = 0;
};
