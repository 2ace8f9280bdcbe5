#include "memo/RowPainter.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "memo/model/UrlPieces.h"

namespace {

// A styler's tokens, each in its kind's colours and style (a background of clNone keeps the
// editor's); plain text in the font's colour and style.
std::vector<TRun> TokenRuns(const TRowContext& c, int line) {
    const TViewStyle& s = *c.Style;
    const TTokenStyles& styles = *c.Tokens;
    const TLineStates& states = *styles.States;
    std::vector<TToken> tokens;
    Tokenize(*states.Language(), c.Lines->Get(line), states.StateAt(line), &tokens);
    std::vector<TRun> runs;
    runs.reserve(tokens.size());
    const auto styled = [&](const TToken& t, const TCharStyle& style) {
        return TRun{t.Start, t.End, style.TextColor,
                    style.BkColor == clNone ? s.BkColor : style.BkColor, style.Style};
    };
    for (const TToken& t : tokens) {
        const bool element = t.Element >= 0 && t.Element < static_cast<int>(styles.Elements.size());
        switch (t.Class) {
        case TTokenClass::Comment:
            runs.push_back(styled(t, styles.Comment));
            break;
        case TTokenClass::Number:
            runs.push_back(styled(t, styles.Number));
            break;
        case TTokenClass::Url:
            runs.push_back(styled(t, s.UrlStyle));
            break;
        case TTokenClass::Keyword:
        case TTokenClass::Bracket:
        case TTokenClass::Symbol:
            if (element) {
                runs.push_back(styled(t, styles.Elements[static_cast<std::size_t>(t.Element)]));
                break;
            }
            [[fallthrough]]; // an element that went: plain
        case TTokenClass::Plain:
            runs.push_back({t.Start, t.End, s.TextColor, s.BkColor, c.TextStyle});
            break;
        }
    }
    return runs;
}

// The line's own colours, later rules winning: the font colour on the background (or a
// styler's tokens), the active line, a breakpoint line. Without a styler a line is one run.
std::vector<TRun> TextLayer(const TRowContext& c, int line, int length) {
    const TViewStyle& s = *c.Style;
    const TLineProp* record = c.Lines->Record(line);
    std::vector<TRun> runs = c.Tokens && c.Tokens->States && c.Tokens->States->Language()
                                 ? TokenRuns(c, line)
                                 : std::vector<TRun>{{0, length, s.TextColor, s.BkColor, c.TextStyle}};
    const bool active = s.ActiveLine >= 0 && line == s.ActiveLine;
    const bool breakpoint = record && record->Breakpoint;
    for (TRun& run : runs) {
        if (active)
            run.Text = s.ActiveLineTextColor, run.Background = s.ActiveLineColor;
        if (breakpoint)
            run.Text = s.BreakpointTextColor, run.Background = s.BreakpointColor;
    }
    return runs;
}

// The URL pieces in view take the link style: its text colour and font style, and its
// background unless that is clNone.
void UrlLayer(const TRowContext& c, int line, std::vector<TRun>& runs) {
    const TViewStyle& s = *c.Style;
    if (!s.UrlAware)
        return;
    const std::string_view text = c.Lines->Get(line);
    for (const TPiece& piece : PiecesAround(text, c.LeftCol, c.LeftCol + c.VisibleColumns + 1)) {
        const std::string_view word = text.substr(static_cast<std::size_t>(piece.Start),
                                                  static_cast<std::size_t>(piece.End - piece.Start));
        if (!IsUrlPiece(piece, word))
            continue;
        std::vector<TRun> cut;
        cut.reserve(runs.size() + 2);
        for (const TRun& run : runs) {
            const int a = std::clamp(piece.Start, run.Start, run.End);
            const int b = std::clamp(piece.End, run.Start, run.End);
            if (a >= b) {
                cut.push_back(run);
                continue;
            }
            if (run.Start < a)
                cut.push_back({run.Start, a, run.Text, run.Background, run.Style});
            cut.push_back({a, b, s.UrlStyle.TextColor,
                           s.UrlStyle.BkColor == clNone ? run.Background : s.UrlStyle.BkColor,
                           s.UrlStyle.Style});
            if (b < run.End)
                cut.push_back({b, run.End, run.Text, run.Background, run.Style});
        }
        runs = std::move(cut);
    }
}

// The matched block words take BlockColor as their background.
void BlockLayer(const TRowContext& c, int line, std::vector<TRun>& runs) {
    if (!c.Style->BlockShow)
        return;
    for (const TWordPlace& word : c.BlockWords) {
        if (word.Line != line)
            continue;
        std::vector<TRun> cut;
        cut.reserve(runs.size() + 2);
        for (const TRun& run : runs) {
            const int a = std::clamp(word.Column, run.Start, run.End);
            const int b = std::clamp(word.Column + word.Length, run.Start, run.End);
            if (a >= b) {
                cut.push_back(run);
                continue;
            }
            if (run.Start < a)
                cut.push_back({run.Start, a, run.Text, run.Background, run.Style});
            cut.push_back({a, b, run.Text, c.Style->BlockColor, run.Style});
            if (b < run.End)
                cut.push_back({b, run.End, run.Text, run.Background, run.Style});
        }
        runs = std::move(cut);
    }
}

// The selection cuts each run into before, selected and after. On the active line or a
// breakpoint line the selected part swaps that line's colours.
void SelectionLayer(const TRowContext& c, int line, int length, std::vector<TRun>& runs) {
    if (!c.SelectionShown || line < c.SelFirst.Y || line > c.SelLast.Y)
        return;
    const TViewStyle& s = *c.Style;
    const int from = line == c.SelFirst.Y ? c.SelFirst.X : 0;
    const int to = line == c.SelLast.Y ? c.SelLast.X : length;
    const TLineProp* record = c.Lines->Record(line);
    const bool swapped =
        (s.ActiveLine >= 0 && line == s.ActiveLine) || (record && record->Breakpoint);
    std::vector<TRun> cut;
    cut.reserve(runs.size() + 2);
    for (const TRun& run : runs) {
        const int a = std::clamp(from, run.Start, run.End);
        const int b = std::clamp(to, run.Start, run.End);
        if (a >= b) {
            cut.push_back(run);
            continue;
        }
        if (run.Start < a)
            cut.push_back({run.Start, a, run.Text, run.Background, run.Style});
        cut.push_back(swapped ? TRun{a, b, run.Background, run.Text, run.Style}
                              : TRun{a, b, s.SelColor, s.SelBkColor, run.Style});
        if (b < run.End)
            cut.push_back({b, run.End, run.Text, run.Background, run.Style});
    }
    runs = std::move(cut);
}

// The background after the text: a breakpoint's, the active line's, or the editor's.
TColor LineBackground(const TRowContext& c, int line) {
    const TViewStyle& s = *c.Style;
    const TLineProp* record = c.Lines->Record(line);
    if (record && record->Breakpoint)
        return s.BreakpointColor;
    if (s.ActiveLine >= 0 && line == s.ActiveLine)
        return s.ActiveLineColor;
    return s.BkColor;
}

void PaintCollapsedMarker(TCanvas& canvas, const TRowContext& c, int textEnd) {
    const int bottom = c.LineHeight;
    canvas.Pen().Color = c.Style->FoldingLineColor;
    canvas.Brush().Color = c.Style->BkColor;
    canvas.Rectangle(Rect(textEnd + 5, 0, textEnd + 30, bottom));
    canvas.Brush().Color = c.Style->FoldingLineColor;
    for (const int dx : {9, 17, 25})
        canvas.FillRect(Rect(textEnd + dx, bottom - 6, textEnd + dx + 2, bottom - 4));
}

// A red zigzag under each marked range: at x a multiple of 4 the pen is one pixel below
// y = line height - 2, two pixels on it is one above. Only the part over the row is drawn,
// which keeps the same phase since the phase follows x.
void PaintMarkedRanges(TCanvas& canvas, const TRowContext& c, const TLineProp& record, int width) {
    const int y = c.LineHeight - 2;
    canvas.Pen().Color = clRed;
    canvas.Pen().Style = TPenStyle::psSolid;
    canvas.Pen().Width = 1;
    const std::size_t count = std::min(record.MarkStarts.size(), record.MarkLengths.size());
    for (std::size_t k = 0; k < count; ++k) {
        const std::int64_t start =
            std::max<std::int64_t>(0, std::int64_t{record.MarkStarts[k]} - c.LeftCol);
        const std::int64_t end = std::max<std::int64_t>(0, std::int64_t{record.MarkStarts[k]} +
                                                               record.MarkLengths[k] - c.LeftCol);
        const std::int64_t xEnd = std::min<std::int64_t>(end * c.CharWidth, width + 2);
        std::int64_t from = start * c.CharWidth;
        if (from > width)
            continue;
        int x = static_cast<int>(from) & ~1;
        bool below = x % 4 == 0;
        canvas.MoveTo(x, below ? y + 1 : y - 1);
        while (x < xEnd) {
            x += 2;
            below = !below;
            canvas.LineTo(x, below ? y + 1 : y - 1);
        }
    }
}

// Cells [a, b) of the line, decoded in their line's context so that a character cut by the
// view's edge or a run's shows no stray bytes. A character starts at most three bytes before
// the first cell, so the line is handed over from there: positions stay near the row however
// far the view has scrolled.
void DrawCells(TCanvas& canvas, int leftCol, std::string_view text, int a, int b, int cellWidth) {
    const int from = std::max(0, a - 3);
    canvas.TextOutCells((from - leftCol) * cellWidth, 0,
                        text.substr(static_cast<std::size_t>(from)), a - from, b - from, cellWidth);
}

} // namespace

std::vector<TRun> LineRuns(const TRowContext& context, int line) {
    const int length = context.Lines->LineLength(line);
    std::vector<TRun> runs = TextLayer(context, line, length);
    UrlLayer(context, line, runs);
    BlockLayer(context, line, runs);
    SelectionLayer(context, line, length, runs);
    return runs;
}

void PaintRow(TBitmap& row, const TRowContext& c, int line) {
    TCanvas& canvas = row.Canvas();
    const TViewStyle& s = *c.Style;
    // A collapsed region that has a caption shows it in place of its text.
    const bool collapsed = c.Folding && c.Folding->IsCollapsed(line);
    std::string caption;
    const bool captioned = collapsed && c.Folding->RegionCaption(line, caption);
    const std::string_view text = captioned ? std::string_view(caption) : c.Lines->Get(line);
    const int width = row.Width();
    const int length = static_cast<int>(text.size());

    // The whole row in the background first.
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.Brush().Color = s.BkColor;
    canvas.FillRect(Rect(0, 0, width, c.LineHeight));

    // Each run in view as one call at its first column: a long line costs no more than a
    // short one.
    const int firstColumn = c.LeftCol;
    const int lastColumn = c.LeftCol + (width + c.CharWidth - 1) / std::max(1, c.CharWidth) + 1;
    const std::vector<TRun> runs =
        captioned ? std::vector<TRun>{{0, length, s.FoldingLineColor, s.BkColor, c.TextStyle}}
                  : LineRuns(c, line);
    for (const TRun& run : runs) {
        const int a = std::max(run.Start, firstColumn);
        const int b = std::min(run.End, lastColumn);
        if (a >= b)
            continue;
        canvas.Brush().Color = run.Background;
        canvas.Font().SetColor(run.Text);
        canvas.Font().SetStyle(run.Style);
        DrawCells(canvas, c.LeftCol, text, a, b, c.CharWidth);
    }
    canvas.Font().SetColor(s.TextColor);
    canvas.Font().SetStyle(c.TextStyle);

    // After the text, the line's own background, one pixel short of the row's height.
    // Taken wide and kept near the row, so a line of any length cannot overflow it.
    const int textEnd = static_cast<int>(std::clamp<std::int64_t>(
        (std::int64_t{length} - c.LeftCol) * c.CharWidth, -64, width + 64));
    if (textEnd < width) {
        canvas.Brush().Color = LineBackground(c, line);
        canvas.FillRect(Rect(std::max(0, textEnd), 0, width, c.LineHeight - 1));
    }

    // A matched block word is underlined in BlockLineColor, when there is one.
    if (s.BlockShow && s.BlockLineColor != clNone) {
        canvas.Pen().Color = s.BlockLineColor;
        for (const TWordPlace& word : c.BlockWords) {
            if (word.Line != line)
                continue;
            const int x0 = (word.Column - c.LeftCol) * c.CharWidth;
            canvas.MoveTo(x0, c.LineHeight - 2);
            canvas.LineTo(x0 + word.Length * c.CharWidth, c.LineHeight - 2);
        }
    }
    // A collapsed region without a caption shows its marker after the text.
    if (collapsed && !captioned)
        PaintCollapsedMarker(canvas, c, textEnd);
    if (const TLineProp* record = c.Lines->Record(line))
        PaintMarkedRanges(canvas, c, *record, width);
}
