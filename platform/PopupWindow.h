#pragma once
// A window of its own that floats over the others and never takes the keyboard focus: shown,
// clicked or scrolled, it leaves the active window and its focused control as they were. The
// editor's completion list and parameter hint are such windows; the keys meant for them reach
// them through the control that keeps the focus.
//
// Its bounds are screen coordinates, and with no frame of the desktop's its client area is
// the whole window.

#include "platform/Controls.h"

class TPopupWindow : public TCustomControl {
public:
    TPopupWindow();
    ~TPopupWindow() override;

    /// Shows the window above the others without activating it.
    void Popup();
    /// Hides it.
    void Close();
    bool Showing() const { return Visible(); }
};
