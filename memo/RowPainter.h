#pragma once
// Draws one line of text into the row bitmap, from read-only inputs: the store, the view
// style, the view's cell metrics and scroll position, and the selection. A line becomes runs
// of one colour in layers (the text in its line's colours, the URL pieces in the link style,
// then the selection cutting runs into before, selected and after); the runs in view are drawn
// cell by cell, then the fill after the text, the collapsed-region marker and the marked
// ranges.

#include <vector>

#include "memo/model/AdvMemoStrings.h"
#include "memo/model/BlockMatch.h"
#include "memo/model/FoldRegions.h"
#include "memo/model/LineStates.h"
#include "memo/ViewStyle.h"
#include "platform/Graphics.h"

/// A stretch of a line in one pair of colours and one font style: columns [Start, End).
struct TRun {
    int Start = 0;
    int End = 0;
    TColor Text = clBlack;
    TColor Background = clWhite;
    TFontStyles Style{};
    friend bool operator==(const TRun&, const TRun&) = default;
};

/// A styler's tokens and their colours, while the editor paints by one.
struct TTokenStyles {
    const TLineStates* States = nullptr; // their language, and where each line starts
    TCharStyle Comment;
    TCharStyle Number;
    std::vector<TCharStyle> Elements; // each element's font colour and style, and background
};

/// What a row paint reads besides the line.
struct TRowContext {
    const TAdvMemoStrings* Lines = nullptr;
    const TViewStyle* Style = nullptr;
    int CharWidth = 0;
    int LineHeight = 0;
    int LeftCol = 0;
    int VisibleColumns = 0; // columns the row shows from LeftCol on: where URLs are looked for
    TFontStyles TextStyle{}; // the editor font's own style
    const TTokenStyles* Tokens = nullptr; // a styler's, or none: plain text
    TWordPlace BlockWords[2];             // the matched block words (Line -1: none)
    const TFoldRegions* Folding = nullptr; // with folding on: collapsed starts show so
    bool SelectionShown = false; // a selection exists and the editor shows it
    TPoint SelFirst;             // the selection in text order
    TPoint SelLast;
};

/// The line's runs: its colours, with the selection cut in.
std::vector<TRun> LineRuns(const TRowContext& context, int line);

/// Draws line `line` into `row`, a bitmap as wide as the text area and one line high.
void PaintRow(TBitmap& row, const TRowContext& context, int line);
