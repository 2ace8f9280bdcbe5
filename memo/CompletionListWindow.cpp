// The completion list's window: frame, rows, scroll bar, the kind images, and the pointer.

#include <algorithm>
#include <array>

#include "memo/AdvMemo.h"
#include "memo/CompletionFilter.h"
#include "memo/CompletionList.h"

namespace {

constexpr TColor kTransparent = 0x00FF00; // green pixels of a kind image let the row show
constexpr int kImageSpace = 20;           // an image and its gap, before the text
constexpr int kTextIndent = 2;

// The image of an entry kind: 0 variable (identifiers too), 1 property, 2 event, 3 method,
// 4 procedure and function; -1 for a kind outside 0 to 6.
int ImageOfKind(int kind) {
    constexpr std::array<int, 7> images = {0, 0, 1, 2, 3, 4, 4};
    return kind >= 0 && kind < 7 ? images[static_cast<std::size_t>(kind)] : -1;
}

std::unique_ptr<TBitmap> DrawBuiltInImage(int index) {
    auto image = std::make_unique<TBitmap>(16, 16);
    TCanvas& c = image->Canvas();
    c.Brush().Color = kTransparent;
    c.FillRect(Rect(0, 0, 16, 16));
    c.Pen().Color = 0x400000;
    switch (index) {
    case 0: // variable: a blue block
        c.Brush().Color = 0xFF8000;
        c.Rectangle(Rect(3, 5, 13, 12));
        break;
    case 1: { // property: a teal diamond
        c.Brush().Color = 0x808000;
        const TPoint diamond[] = {{8, 2}, {14, 8}, {8, 14}, {2, 8}};
        c.Polygon(diamond);
        break;
    }
    case 2: { // event: a red flash
        c.Pen().Color = 0x000080;
        c.Brush().Color = 0x0000FF;
        const TPoint flash[] = {{9, 1}, {3, 9}, {8, 9}, {6, 15}, {13, 6}, {8, 6}};
        c.Polygon(flash);
        break;
    }
    case 3: // method: a navy ball
        c.Brush().Color = 0x800000;
        c.Ellipse(Rect(3, 3, 14, 14));
        break;
    default: // procedure and function: a purple box with two lines of "code"
        c.Brush().Color = 0x800080;
        c.Rectangle(Rect(2, 3, 14, 13));
        c.Pen().Color = clWhite;
        c.MoveTo(4, 6);
        c.LineTo(12, 6);
        c.MoveTo(4, 9);
        c.LineTo(10, 9);
        break;
    }
    return image;
}

// `image`'s pixels onto `canvas` at (x, y), its green ones left out.
void DrawTransparent(TCanvas& canvas, int x, int y, const TBitmap& image) {
    for (int py = 0; py < image.Height(); ++py)
        for (int px = 0; px < image.Width(); ++px)
            if (const TColor c = image.Pixel(px, py); c != kTransparent)
                canvas.SetPixel(x + px, y + py, c);
}

} // namespace

TCompletionListWindow::TCompletionListWindow(TMemoCompletion& owner, TAdvCustomMemo& editor)
    : owner_(owner), editor_(editor),
      bar_(std::make_unique<TScrollBar>(this, TScrollBarKind::sbVertical)) {
    SetDoubleBuffered(true);
    bar_->SetVisible(false);
    bar_->OnScroll = [this](TObject*, TScrollCode, int& position) { SetTopIndex(position); };
}

TCompletionListWindow::~TCompletionListWindow() = default;

const TBitmap& TCompletionListWindow::BuiltInImage(int index) {
    static const std::array<std::unique_ptr<TBitmap>, 5> images = {
        DrawBuiltInImage(0), DrawBuiltInImage(1), DrawBuiltInImage(2), DrawBuiltInImage(3),
        DrawBuiltInImage(4)};
    return *images[static_cast<std::size_t>(std::clamp(index, 0, 4))];
}

TFont& TCompletionListWindow::ListFont() {
    return Font();
}

int TCompletionListWindow::FrameWidth() const {
    // A sizeable tool window's thick frame, or a thin silver one.
    return editor_.Kept().AutoCompletion.SizeDropDown ? 4 : 1;
}

int TCompletionListWindow::RowHeight() {
    Canvas().Font().Assign(ListFont());
    const int text = Canvas().TextHeight("Wg") + 2;
    return editor_.Kept().AutoCompletion.ShowImages ? std::max(text, 18) : text;
}

TRect TCompletionListWindow::RowsArea() const {
    const int f = FrameWidth();
    const int bar = bar_->Visible() ? bar_->Width() : 0;
    return Rect(f, f, std::max(f, ClientWidth() - f - bar), std::max(f, ClientHeight() - f));
}

int TCompletionListWindow::VisibleRows() {
    return std::max(1, RowsArea().Height() / std::max(1, RowHeight()));
}

void TCompletionListWindow::Opening() {
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(ListFont());
    identifiers_ = 0;
    for (const TCompletionEntry& entry : owner_.Entries())
        identifiers_ = std::max(identifiers_, canvas.TextWidth(SplitEntry(entry.Text).Kind));
}

int TCompletionListWindow::FittedWidth() {
    TCanvas& canvas = Canvas();
    const int identifiers = IdentifierColumn();
    TFont bold;
    bold.Assign(ListFont());
    bold.SetStyle(TFontStyles{TFontStyle::fsBold});
    int widest = 0;
    for (const TCompletionEntry& entry : owner_.Entries()) {
        const TEntryParts parts = SplitEntry(entry.Text);
        canvas.Font().Assign(bold);
        int width = canvas.TextWidth(parts.Name);
        canvas.Font().Assign(ListFont());
        width += canvas.TextWidth(parts.Rest);
        widest = std::max(widest, width);
    }
    const TAutoCompletion& settings = editor_.Kept().AutoCompletion;
    const int rowsFit =
        std::max(1, (settings.Height - 2 * FrameWidth()) / std::max(1, RowHeight()));
    const bool barNeeded = static_cast<int>(owner_.Entries().size()) > rowsFit;
    return 2 * FrameWidth() + kTextIndent + (settings.ShowImages ? kImageSpace : 0) + identifiers +
           widest + 4 + (barNeeded ? bar_->Width() : 0);
}

void TCompletionListWindow::EntriesChanged() {
    topIndex_ = 0;
    UpdateBar();
    ShowSelected();
    Invalidate();
}

void TCompletionListWindow::UpdateBar() {
    const int count = static_cast<int>(owner_.Entries().size());
    const int f = FrameWidth();
    const int barWidth = 17;
    const TRect inside = Rect(f, f, ClientWidth() - f, ClientHeight() - f);
    const int rows = std::max(1, inside.Height() / std::max(1, RowHeight()));
    const bool needed = count > rows;
    bar_->SetBounds(inside.Right - barWidth, inside.Top, barWidth, inside.Height());
    bar_->SetVisible(needed);
    if (needed)
        bar_->SetParams(topIndex_, 0, count - 1, rows);
}

void TCompletionListWindow::SetTopIndex(int index) {
    const int count = static_cast<int>(owner_.Entries().size());
    const int top = std::clamp(index, 0, std::max(0, count - VisibleRows()));
    if (top == topIndex_)
        return;
    topIndex_ = top;
    if (bar_->Visible())
        bar_->SetPosition(topIndex_);
    Invalidate();
}

void TCompletionListWindow::ShowSelected() {
    const int selected = owner_.Selected();
    if (selected < 0)
        return;
    if (selected < topIndex_)
        SetTopIndex(selected);
    else if (selected >= topIndex_ + VisibleRows())
        SetTopIndex(selected - VisibleRows() + 1);
}

void TCompletionListWindow::Resize() {
    TPopupWindow::Resize();
    UpdateBar();
    ShowSelected();
}

// --- painting ------------------------------------------------------------------------------------

void TCompletionListWindow::Paint() {
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    const TAutoCompletion& settings = editor_.Kept().AutoCompletion;
    // The frame: a tool window's thick one, or silver around the list.
    canvas.Brush().Style = TBrushStyle::bsSolid;
    if (settings.SizeDropDown) {
        canvas.Brush().Color = clBtnShadow;
        canvas.FillRect(client);
        canvas.Brush().Color = clBtnFace;
        canvas.FillRect(Rect(1, 1, client.Right - 1, client.Bottom - 1));
    } else {
        canvas.Brush().Color = clSilver;
        canvas.FillRect(client);
    }
    const TRect rows = RowsArea();
    canvas.Brush().Color = Color();
    canvas.FillRect(rows);
    const int height = RowHeight();
    const auto count = static_cast<int>(owner_.Entries().size());
    const int identifiers = IdentifierColumn();
    canvas.SetClipRect(rows);
    for (int i = topIndex_, y = rows.Top; i < count && y < rows.Bottom; ++i, y += height)
        PaintRow(i, Rect(rows.Left, y, rows.Right, y + height), identifiers);
    canvas.ResetClip();
}

void TCompletionListWindow::PaintRow(int index, const TRect& row, int identifiers) {
    TCanvas& canvas = Canvas();
    const TAutoCompletion& settings = editor_.Kept().AutoCompletion;
    const TCompletionEntry& entry = owner_.Entries()[static_cast<std::size_t>(index)];
    const bool selected = index == owner_.Selected();
    // The row's background: the list's, or the selection's.
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = selected ? clHighlight : Color();
    canvas.FillRect(row);
    int x = row.Left + kTextIndent;
    if (settings.ShowImages) {
        DrawKindImage(entry.Kind, x, row.Top + (row.Height() - 16) / 2);
        x += kImageSpace;
    }
    const TEntryParts parts = SplitEntry(entry.Text);
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.Font().Assign(ListFont());
    const int textTop = row.Top + 1;
    // The kind word in its kind's colour; the name bold, from the identifier column on.
    canvas.Font().SetColor(selected ? clHighlightText : settings.KindColor(entry.Kind));
    canvas.TextOut(x, textTop, parts.Kind);
    const TColor text = selected ? clHighlightText : ListFont().Color();
    canvas.Font().SetColor(text);
    canvas.Font().SetStyle(TFontStyles{TFontStyle::fsBold});
    canvas.TextOut(x + identifiers, textTop, parts.Name);
    const int restLeft = canvas.PenPos().X;
    canvas.Font().SetStyle(ListFont().Style());
    canvas.TextOut(restLeft, textTop, parts.Rest);
    canvas.Brush().Style = TBrushStyle::bsSolid;
}

void TCompletionListWindow::DrawKindImage(int kind, int x, int y) {
    const int image = ImageOfKind(kind);
    if (image < 0)
        return;
    const TImageList* list = owner_.Images();
    if (!list) {
        DrawTransparent(Canvas(), x, y, BuiltInImage(image));
        return;
    }
    if (image >= list->Count())
        return;
    TBitmap picture(list->Width(), list->Height());
    picture.Canvas().Brush().Color = kTransparent;
    picture.Canvas().FillRect(Rect(0, 0, list->Width(), list->Height()));
    list->Draw(picture.Canvas(), 0, 0, image);
    DrawTransparent(Canvas(), x, y, picture);
}

// --- pointer ------------------------------------------------------------------------------------

int TCompletionListWindow::EntryAt(int x, int y) {
    const TRect rows = RowsArea();
    if (x < rows.Left || x >= rows.Right || y < rows.Top || y >= rows.Bottom)
        return -1;
    const int index = topIndex_ + (y - rows.Top) / std::max(1, RowHeight());
    return index < static_cast<int>(owner_.Entries().size()) ? index : -1;
}

void TCompletionListWindow::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TPopupWindow::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft)
        return;
    const int f = FrameWidth();
    if (editor_.Kept().AutoCompletion.SizeDropDown &&
        (x >= ClientWidth() - f || y >= ClientHeight() - f)) {
        // The sizeable frame: its right and bottom edges drag the size.
        sizing_ = true;
        sizeFrom_ = ClientToScreen({x, y});
        sizeStart_ = {Width(), Height()};
        return;
    }
    if (const int index = EntryAt(x, y); index >= 0)
        owner_.Select(index);
}

void TCompletionListWindow::MouseMove(TShiftState shift, int x, int y) {
    TPopupWindow::MouseMove(shift, x, y);
    if (sizing_) {
        const TPoint at = ClientToScreen({x, y});
        const int f = FrameWidth();
        SetBounds(Left(), Top(), std::max(4 * f + 20, sizeStart_.cx + at.X - sizeFrom_.X),
                  std::max(2 * f + RowHeight(), sizeStart_.cy + at.Y - sizeFrom_.Y));
        return;
    }
    if (shift.Left)
        if (const int index = EntryAt(x, y); index >= 0)
            owner_.Select(index);
}

void TCompletionListWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TPopupWindow::MouseUp(button, shift, x, y);
    if (sizing_) {
        sizing_ = false;
        return;
    }
    if (button == TMouseButton::mbLeft && EntryAt(x, y) >= 0)
        owner_.Insert(TCompletionInsert::ByMouse);
}

bool TCompletionListWindow::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
    SetTopIndex(topIndex_ - wheelDelta / 120 * 3);
    return true;
}
