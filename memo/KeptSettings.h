#pragma once
// Settings of the editor's typing aids, completion and parameter hints (which need a styler's
// entries, so the main window's editors never show them), and of parts this program does not
// use: scroll hints and printing, which are only kept as set.

#include "platform/Graphics.h"
#include "platform/Types.h"

enum class THintParameterPosition { hpBelowCode, hpAboveCode };
/// When parameter hints show: also after caret moves, only when asked (Ctrl+Shift+Space), never.
enum class TAutoHintParameters { hpAuto, hpManual, hpNone };

/// Auto-completion: on or off, and its list's look. The delay is read each time the timer
/// starts, so a new one counts from the next "." or "(".
struct TAutoCompletion {
    bool Active = true;
    bool AutoDisplay = true; // the delay timer may open the list
    int Delay = 500;         // milliseconds from "." or "(" to the list
    TColor Color = clWindow; // the list's background
    TFont Font;
    int Width = 200;
    int Height = 100;
    bool SizeDropDown = true; // a sizeable frame, the width fitted to the longest entry
    bool ShowImages = false;  // a kind image before each entry
    // The kind word's colour of each entry kind, 0 to 6.
    TColor ColorIdentifier = 0x808000;
    TColor ColorVar = 0xFF0000;
    TColor ColorProp = 0x808000;
    TColor ColorEvent = 0x0000FF;
    TColor ColorMethod = 0x800000;
    TColor ColorFunc = 0x800000;
    TColor ColorProc = 0x800000;

    /// The colour of `kind`; the font's for a kind outside 0 to 6.
    TColor KindColor(int kind) const {
        const TColor colors[] = {ColorIdentifier, ColorVar,  ColorProp, ColorEvent,
                                 ColorMethod,     ColorFunc, ColorProc};
        return kind >= 0 && kind < 7 ? colors[kind] : Font.Color();
    }
};

/// Page margins and extras of a print-out.
struct TPrintOptions {
    int MarginLeft = 0;
    int MarginRight = 0;
    int MarginTop = 0;
    int MarginBottom = 0;
    bool PageNr = false;
    bool PrintLineNumbers = false;
};

struct TKeptSettings {
    TAutoCompletion AutoCompletion;
    THintParameterPosition AutoHintParameterPosition = THintParameterPosition::hpBelowCode;
    TAutoHintParameters AutoHintParameters = TAutoHintParameters::hpAuto;
    int AutoHintParameterDelay = 2500; // milliseconds from a caret move to an automatic hint
    bool ScrollHint = true;
    TPrintOptions PrintOptions;
};
