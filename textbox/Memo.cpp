// TMemo, the plain text box of the result panes: a custom control of our own rather than
// Qt's QPlainTextEdit. Qt's box turns every line into a text block of UTF-16 with its own
// layout: fed a million entries in one go (one prebuilt UTF-8 text) it took 3.6 s, and a
// merge's 1.6 million entries 7 to 11 s and about 0.7 GB; this box takes a million in about
// 0.1 s (bench/PaneBench.cpp). Here the lines stay bytes in a core::TextDocument (one buffer
// for a whole SetEntries), rows are laid out only where shown (TextBoxLayout), and caret,
// selection, edits and undo are TextBoxEditing's. The control paints on its canvas through the
// generic host like every custom control, and keeps the system edit box's look: a sunken edge,
// clWindow behind clWindowText, the selection in clHighlight / clHighlightText while focused
// (the system box hides it otherwise), a steady caret of one pixel (the platform has no timer
// to blink it yet), a vertical scroll bar whose position is the top row.

#include <algorithm>
#include <climits>

#include "core/TextDocument.h"
#include "platform/Clipboard.h"
#include "platform/FontMetrics.h"
#include "platform/Keys.h"
#include "platform/SysColors.h"
#include "platform/TextCodec.h"
#include "textbox/Memo.h"
#include "textbox/TextBoxEditing.h"
#include "textbox/TextBoxLayout.h"

namespace {

constexpr int kEdge = 2;   // the sunken edge around the box
constexpr int kMargin = 2; // between the edge and the text, left and right
constexpr int kWheelRows = 3;

// The font's advances, asked for per character while wrapping long lines: ASCII from a table,
// other characters of the basic plane kept as they are first met. The widest of the font's
// glyphs and of the 256 characters a byte can show bounds the layout's no-measuring test.
class FontWidths final : public GlyphWidths {
public:
    explicit FontWidths(const TFont& font) : metrics_(font), plane_(0x10000, -1) {
        widest_ = metrics_.MaxWidth();
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            const char32_t ch = DecodeDisplayChar(std::string_view(&byte, 1), 0).ch;
            bytes_[b] = Measure(ch);
            widest_ = std::max(widest_, bytes_[b]);
        }
        rowHeight_ = metrics_.RowHeight();
    }

    int Advance(char32_t ch) const override {
        if (ch < 0x80)
            return bytes_[ch];
        if (ch >= 0x10000)
            return Measure(ch);
        int& known = plane_[ch];
        if (known < 0)
            known = Measure(ch);
        return known;
    }
    int Widest() const override { return widest_; }
    int RowHeight() const { return rowHeight_; }

private:
    int Measure(char32_t ch) const { return metrics_.Advance(ch); }

    TFontMetrics metrics_;
    int bytes_[256] = {};
    mutable std::vector<int> plane_;
    int widest_ = 1;
    int rowHeight_ = 1;
};

} // namespace

struct TMemo::Box final : core::DocumentListener {
    explicit Box(TMemo& memo)
        : memo(memo), widths(std::make_unique<FontWidths>(memo.Font())), layout(document, *widths),
          editing(document) {
        document.AddListener(*this); // after layout and editing: they are up to date
    }
    ~Box() { document.RemoveListener(*this); }
    void LinesChanged(const core::LineChange& change) override {
        if (change.replacedAll)
            topRow = 0; // a new text shows from its start
        memo.TextChanged();
    }

    TMemo& memo;
    core::TextDocument document;
    std::unique_ptr<FontWidths> widths;
    TextBoxLayout layout;
    TextBoxEditing editing;
    std::unique_ptr<TScrollBar> bar;
    std::int64_t topRow = 0;
    int goalX = -1;        // where Up and Down aim, kept over a run of them
    int wheelRest = 0;     // a touchpad's wheel steps short of a row
    bool dragging = false; // the left button went down in the box
};

TMemo::TMemo(TWinControl* parent) : TCustomControl(parent) {
    box_ = std::make_unique<Box>(*this);
    box_->bar = std::make_unique<TScrollBar>(this, TScrollBarKind::sbVertical);
    box_->bar->SetVisible(false);
    box_->bar->OnChange = [this](TObject*) {
        box_->topRow = box_->bar->Position();
        Invalidate();
    };
    SetCursor(TCursor::crIBeam);
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() = default;

// --- content ---------------------------------------------------------------------------------

void TMemo::Clear() {
    box_->document.ReplaceAll(std::string(), {});
}

void TMemo::Append(std::string_view entry) {
    box_->document.InsertLine(box_->document.Count(), entry);
}

void TMemo::SetEntries(std::span<const std::string_view> entries) {
    std::size_t bytes = 0;
    for (std::string_view e : entries)
        bytes += e.size();
    core::TextDocument::SplitText text;
    text.Reserve(entries.size(), bytes);
    for (std::string_view e : entries)
        text.Append(e);
    SetEntries(std::move(text));
}

void TMemo::SetEntries(core::TextDocument::SplitText&& entries) {
    box_->document.Load(std::move(entries));
}

std::size_t TMemo::EntryCount() const {
    return static_cast<std::size_t>(box_->document.Count());
}

namespace {

std::string JoinedUtf8(const core::TextDocument& document) {
    std::string out;
    for (int line = 0; line < document.Count(); ++line) {
        if (line > 0)
            out.push_back('\n');
        AppendDisplayUtf8(out, document.Line(line));
    }
    return out;
}

} // namespace

std::string TMemo::Text() const {
    return JoinedUtf8(box_->document);
}

void TMemo::SelectAll() {
    const TextBoxEditing& editing = box_->editing;
    if (editing.Anchor() == TextPos{} && editing.Caret() == editing.TextEnd())
        return;
    box_->editing.SelectAll();
    Invalidate();
}

std::string TMemo::SelText() const {
    const TextLines lines = box_->editing.Selected();
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out.push_back('\n');
        AppendDisplayUtf8(out, lines[i]);
    }
    return out;
}

void TMemo::CopyToClipboard() {
    if (!box_->editing.HasSelection())
        return;
    // The exact bytes, lines joined as the editors join them, so a paste into a list gives
    // them back as they were.
    const TextLines lines = box_->editing.Selected();
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            bytes += "\r\n";
        bytes += lines[i];
    }
    SetClipboardBytes(bytes);
}

void TMemo::CutToClipboard() {
    if (readOnly_ || !box_->editing.HasSelection())
        return;
    CopyToClipboard();
    EditText([](TextBoxEditing& e) { e.DeleteSelection(); });
}

void TMemo::PasteFromClipboard() {
    const std::string text = ClipboardBytes();
    if (!text.empty())
        EditText([&](TextBoxEditing& e) { e.Paste(text); });
}

void TMemo::Undo() {
    EditText([](TextBoxEditing& e) { e.Undo(); });
}

template <typename Edit> void TMemo::EditText(Edit edit) {
    if (readOnly_)
        return;
    edit(box_->editing);
    box_->goalX = -1;
    ScrollToCaret();
    Invalidate();
}

// --- settings --------------------------------------------------------------------------------

void TMemo::SetScrollBars(TScrollStyle style) {
    scrollBars_ = style;
    // Word wrap leaves nothing to scroll sideways: only the vertical bar is ever shown.
    box_->bar->SetVisible(style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth);
    LayOut();
}

void TMemo::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    LayOut();
}

std::int64_t TMemo::TopRow() const {
    return box_->topRow;
}

std::int64_t TMemo::RowCount() const {
    return box_->layout.RowCount();
}

// --- geometry and scrolling ------------------------------------------------------------------

TRect TMemo::TextArea() const {
    const int bar = box_->bar->Visible() ? box_->bar->Width() : 0;
    return Rect(kEdge + kMargin, kEdge, std::max(kEdge + kMargin, Width() - kEdge - bar - kMargin),
                std::max(kEdge, Height() - kEdge));
}

int TMemo::VisibleRows() const {
    return std::max(1, TextArea().Height() / box_->widths->RowHeight());
}

void TMemo::LayOut() {
    if (!box_ || !box_->bar)
        return; // sized before the box is complete
    TScrollBar& bar = *box_->bar;
    bar.SetBounds(Width() - kEdge - bar.Width(), kEdge, bar.Width(),
                  std::max(0, Height() - 2 * kEdge));
    box_->layout.SetWidth(wordWrap_ ? TextArea().Width() : 0);
    TextChanged();
}

void TMemo::TextChanged() {
    const std::int64_t rows = box_->layout.RowCount();
    const int page = VisibleRows();
    box_->topRow =
        std::clamp<std::int64_t>(box_->topRow, 0, std::max<std::int64_t>(0, rows - page));
    // The bar counts in int; a text of more rows than that scrolls only that far.
    const int last =
        static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(0, rows - 1), INT_MAX - 1));
    box_->bar->SetParams(static_cast<int>(std::min<std::int64_t>(box_->topRow, INT_MAX)), 0, last,
                         page);
    box_->bar->SetEnabled(rows > page);
    Invalidate();
}

void TMemo::ScrollTo(std::int64_t row) {
    const std::int64_t last = std::max<std::int64_t>(0, box_->layout.RowCount() - VisibleRows());
    row = std::clamp<std::int64_t>(row, 0, last);
    if (row == box_->topRow)
        return;
    box_->topRow = row;
    box_->bar->SetPosition(static_cast<int>(std::min<std::int64_t>(row, INT_MAX)));
    Invalidate();
}

void TMemo::ScrollToCaret() {
    if (box_->document.Count() == 0)
        return;
    const std::int64_t row = box_->layout.RowOf(box_->editing.Caret());
    if (row < box_->topRow)
        ScrollTo(row);
    else if (row >= box_->topRow + VisibleRows())
        ScrollTo(row - VisibleRows() + 1);
}

void TMemo::Resize() {
    TCustomControl::Resize();
    LayOut();
}

void TMemo::FontChanged() {
    TCustomControl::FontChanged();
    if (!box_)
        return;
    // The layout keeps a reference to the widths: replace them in place.
    *box_->widths = FontWidths(Font());
    box_->layout.Relayout();
    LayOut();
}

TextPos TMemo::PosAtPoint(int x, int y) const {
    const TRect area = TextArea();
    const int height = box_->widths->RowHeight();
    const int dy = y - area.Top;
    const int rows = dy >= 0 ? dy / height : -((-dy + height - 1) / height);
    return box_->layout.PosAt(box_->topRow + rows, x - area.Left);
}

void TMemo::MoveCaret(TextPos to, bool extend) {
    box_->editing.MoveCaret(to, extend);
    ScrollToCaret();
    Invalidate();
}

// --- painting --------------------------------------------------------------------------------

namespace {

// The sunken edge of the system's edit box: shadow and highlight outside, dark shadow and
// light inside.
void PaintEdge(TCanvas& canvas, const TRect& r) {
    auto frame = [&](const TRect& f, TColor topLeft, TColor bottomRight) {
        canvas.Brush().Style = TBrushStyle::bsSolid;
        canvas.Brush().Color = topLeft;
        canvas.FillRect(Rect(f.Left, f.Top, f.Right - 1, f.Top + 1));
        canvas.FillRect(Rect(f.Left, f.Top, f.Left + 1, f.Bottom - 1));
        canvas.Brush().Color = bottomRight;
        canvas.FillRect(Rect(f.Left, f.Bottom - 1, f.Right, f.Bottom));
        canvas.FillRect(Rect(f.Right - 1, f.Top, f.Right, f.Bottom));
    };
    frame(r, clBtnShadow, clBtnHighlight);
    frame(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), 0xFF000015 /* 3D dark */,
          0xFF000016 /* 3D light */);
}

} // namespace

void TMemo::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(Font());
    // 1. The edge, and the background inside it.
    PaintEdge(canvas, ClientRect());
    const int bar = box_->bar->Visible() ? box_->bar->Width() : 0;
    const TRect inside = Rect(kEdge, kEdge, Width() - kEdge - bar, Height() - kEdge);
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = Color();
    canvas.FillRect(inside);
    canvas.SetClipRect(inside);

    // 2. The rows on screen, from the top row down; the selection shows while focused.
    const TextBoxLayout& layout = box_->layout;
    const TextBoxEditing& editing = box_->editing;
    const FontWidths& widths = *box_->widths;
    const TRect area = TextArea();
    const int height = widths.RowHeight();
    const bool focused = Focused();
    const bool selecting = focused && editing.HasSelection();
    const TextPos selStart = editing.SelStart(), selEnd = editing.SelEnd();
    auto widthOf = [&](std::string_view bytes) {
        int w = 0;
        for (const DisplayChar& c : DisplayChars(bytes))
            w += widths.Advance(c.ch);
        return w;
    };
    const std::int64_t rows = layout.RowCount();
    if (box_->topRow < rows) {
        TextBoxLayout::RowSpot spot = layout.LineOfRow(box_->topRow);
        for (int y = area.Top; y < area.Bottom; y += height) {
            const std::string_view line = box_->document.Line(spot.line);
            const auto [first, end] = layout.RowBytes(spot);
            const std::string_view text = line.substr(first, end - first);
            canvas.Brush().Style = TBrushStyle::bsClear;
            canvas.Font().SetColor(Font().Color());
            canvas.TextOut(area.Left, y, text);
            if (selecting && TextPos{spot.line, first} < selEnd &&
                selStart <= TextPos{spot.line, end}) {
                const std::size_t from =
                    selStart.line == spot.line ? std::max(first, selStart.offset) : first;
                const std::size_t to =
                    selEnd.line == spot.line ? std::min(end, selEnd.offset) : end;
                if (to > from) {
                    const int x = area.Left + widthOf(line.substr(first, from - first));
                    const std::string_view chosen = line.substr(from, to - from);
                    canvas.Brush().Style = TBrushStyle::bsSolid;
                    canvas.Brush().Color = clHighlight;
                    canvas.FillRect(Rect(x, y, x + widthOf(chosen), y + height));
                    canvas.Brush().Style = TBrushStyle::bsClear;
                    canvas.Font().SetColor(clHighlightText);
                    canvas.TextOut(x, y, chosen);
                }
            }
            // Next row: the line's next one, or the next line's first.
            if (static_cast<std::size_t>(spot.subRow) + 1 < layout.RowStarts(spot.line).size())
                ++spot.subRow;
            else if (spot.line + 1 < box_->document.Count())
                spot = {spot.line + 1, 0};
            else
                break;
        }
    }

    // 3. The caret, while focused.
    if (focused) {
        const TextPos caret = editing.Caret();
        const std::int64_t row = box_->document.Count() > 0 ? layout.RowOf(caret) : 0;
        if (row >= box_->topRow && row < box_->topRow + VisibleRows() + 1) {
            const int x = area.Left + (box_->document.Count() > 0 ? layout.XOf(caret) : 0);
            const int y = area.Top + static_cast<int>(row - box_->topRow) * height;
            canvas.Brush().Style = TBrushStyle::bsSolid;
            canvas.Brush().Color = Font().Color();
            canvas.FillRect(Rect(x, y, x + 1, y + height));
        }
    }
    canvas.ResetClip();
    canvas.Font().SetColor(Font().Color());
}

// --- keyboard --------------------------------------------------------------------------------

void TMemo::KeyDown(std::uint16_t& key, TShiftState shift) {
    TextBoxEditing& editing = box_->editing;
    const TextBoxLayout& layout = box_->layout;
    const bool empty = box_->document.Count() == 0;
    const TextPos caret = editing.Caret();
    // Up, Down and the page keys go by rows, aiming at the same x all along.
    auto byRows = [&](std::int64_t rows) {
        if (empty)
            return;
        if (box_->goalX < 0)
            box_->goalX = layout.XOf(caret);
        const int goal = box_->goalX;
        const std::int64_t row = layout.RowOf(caret);
        const std::int64_t target = std::clamp<std::int64_t>(row + rows, 0, layout.RowCount() - 1);
        if (rows > 1 || rows < -1)
            ScrollTo(box_->topRow + (target - row));
        MoveCaret(layout.PosAt(target, goal), shift.Shift);
        box_->goalX = goal;
    };
    auto rowEdge = [&](bool end) {
        if (empty)
            return caret;
        const std::int64_t row = layout.RowOf(caret);
        const TextBoxLayout::RowSpot spot = layout.LineOfRow(row);
        if (!end)
            return TextPos{spot.line, layout.RowBytes(spot).first};
        return layout.PosAt(row, INT_MAX);
    };
    const bool ctrl = shift.Ctrl && !shift.Alt;
    switch (key) {
    case VK_LEFT:
        box_->goalX = -1;
        MoveCaret(!shift.Shift && editing.HasSelection() ? editing.SelStart()
                                                         : editing.CharBefore(caret),
                  shift.Shift);
        break;
    case VK_RIGHT:
        box_->goalX = -1;
        MoveCaret(!shift.Shift && editing.HasSelection() ? editing.SelEnd()
                                                         : editing.CharAfter(caret),
                  shift.Shift);
        break;
    case VK_UP:
        byRows(-1);
        break;
    case VK_DOWN:
        byRows(1);
        break;
    case VK_PRIOR:
        byRows(-VisibleRows());
        break;
    case VK_NEXT:
        byRows(VisibleRows());
        break;
    case VK_HOME:
        box_->goalX = -1;
        MoveCaret(ctrl ? TextPos{} : rowEdge(false), shift.Shift);
        break;
    case VK_END:
        box_->goalX = -1;
        MoveCaret(ctrl ? editing.TextEnd() : rowEdge(true), shift.Shift);
        break;
    case VK_DELETE:
        if (shift.Shift)
            CutToClipboard();
        else
            EditText([](TextBoxEditing& e) { e.Delete(); });
        break;
    case VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        else if (shift.Shift)
            PasteFromClipboard();
        break;
    case 'A':
        if (ctrl)
            SelectAll();
        break;
    case 'C':
        if (ctrl)
            CopyToClipboard();
        break;
    case 'X':
        if (ctrl)
            CutToClipboard();
        break;
    case 'V':
        if (ctrl)
            PasteFromClipboard();
        break;
    case 'Z':
        if (ctrl)
            Undo();
        break;
    default:
        return;
    }
    key = 0;
}

void TMemo::KeyPress(char& key) {
    // Backspace and Return arrive as characters, as on Windows; other control characters
    // (Ctrl+letters among them, handled as keys) type nothing.
    if (key == '\b')
        EditText([](TextBoxEditing& e) { e.Backspace(); });
    else if (key == '\r')
        EditText([](TextBoxEditing& e) { e.NewLine(); });
    else if (static_cast<unsigned char>(key) >= 0x20 && key != 0x7F)
        EditText([&](TextBoxEditing& e) { e.Type(std::string_view(&key, 1)); });
}

// --- mouse and focus -------------------------------------------------------------------------

void TMemo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        SetFocus();
        box_->goalX = -1;
        box_->dragging = true;
        MoveCaret(PosAtPoint(x, y), shift.Shift);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TMemo::MouseMove(TShiftState shift, int x, int y) {
    if (box_->dragging && shift.Left)
        MoveCaret(PosAtPoint(x, y), true); // past the top or bottom it scrolls a row a move
    TCustomControl::MouseMove(shift, x, y);
}

void TMemo::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft)
        box_->dragging = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

bool TMemo::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
    box_->wheelRest += wheelDelta;
    const int notches = box_->wheelRest / 120;
    box_->wheelRest -= notches * 120;
    ScrollTo(box_->topRow - static_cast<std::int64_t>(notches) * kWheelRows);
    return true;
}

void TMemo::DoEnter() {
    Invalidate();
}

void TMemo::DoExit() {
    box_->dragging = false;
    Invalidate();
}
