#pragma once
// Settings the editor stores for parts of it this program does not use: completion and
// parameter hints, scroll hints and printing.
// A stored layout sets them and they are kept as set; nothing here changes what the editor
// shows or does.

#include "platform/Graphics.h"
#include "platform/Types.h"

enum class THintParameterPosition { hpBelowCode, hpAboveCode };

/// Auto-completion: on or off, and its list's look.
struct TAutoCompletion {
    bool Active = true;
    int Delay = 500; // milliseconds from "." or "(" to the list
    TFont Font;
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
    bool ScrollHint = true;
    TPrintOptions PrintOptions;
};
