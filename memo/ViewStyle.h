#pragma once
// How the editor's text looks: one value that the row painter and the paint read, and that
// the editor's published colour and border properties write.

#include "memo/ViewSettings.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"

struct TViewStyle {
    TColor TextColor = clBlack; // the font's colour
    TColor BkColor = clWhite;
    TColor SelColor = clWhite;
    TColor SelBkColor = clNavy;
    bool HideSelection = true;
    int RightMargin = 80;
    bool ShowRightMargin = true;
    TColor RightMarginColor = 0xE2E2E2;
    TBorderStyle BorderStyle = TBorderStyle::bsSingle;
    bool Ctl3D = false;
    TColor BorderColor = 0x808080;
    TScrollStyle ScrollBars = TScrollStyle::ssBoth;
    TScrollMode ScrollMode = TScrollMode::smAuto;
    TColor BreakpointColor = 0x0000FF;
    TColor BreakpointTextColor = clWhite;
    bool BlockShow = true;
    TColor BlockColor = 0xFFFF00;
    TColor BlockLineColor = clNone;
    bool UrlAware = true;
    TCharStyle UrlStyle;
    // The active line as the rows show it: -1, or the line in ActiveLineColor.
    int ActiveLine = -1;
    TColor ActiveLineColor = clNavy;
    TColor ActiveLineTextColor = clYellow;
    bool FoldingEnabled = false;
    TColor FoldingLineColor = clGray;

    bool VerticalBarAllowed() const {
        return ScrollBars == TScrollStyle::ssVertical || ScrollBars == TScrollStyle::ssBoth;
    }
    bool HorizontalBarAllowed() const {
        return ScrollBars == TScrollStyle::ssHorizontal || ScrollBars == TScrollStyle::ssBoth;
    }
};
