#pragma once
// The application object and top-level windows.

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"

class TMainMenu;

class TApplication : public TObject {
public:
    /// Starts the framework. `offscreen` selects Qt's offscreen platform (tests). Registers the
    /// application fonts. One application per process.
    TApplication(int& argc, char** argv, bool offscreen = false);
    ~TApplication() override;

    const std::string& Title() const { return title_; }
    void SetTitle(std::string title);

    /// Runs the message loop until Terminate() (closing the main window terminates).
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    /// Handles the events waiting now, then returns.
    void ProcessMessages();

    /// Shows the failure's message in an error box (error icon, OK) titled with Title().
    void HandleException(const std::exception& failure);
    /// Runs `command`; a failure it raises is handled by HandleException and goes no further.
    /// Every event of a control reaches its handler through here.
    void Guard(const std::function<void()>& command);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string title_;
    bool terminated_ = false;
};

/// The one application object, or nullptr before it exists.
extern TApplication* Application;

/// A top-level window. With BorderStyle bsSingle its frame is fixed: it cannot be resized or
/// maximised.
class TForm : public TWinControl {
public:
    TForm();
    ~TForm() override;

    /// Left and top are the window's screen position; width and height its size without the
    /// frame: the client area plus the menu bar.
    void SetBounds(int left, int top, int width, int height) override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientSize(int width, int height);
    /// The window's screen position.
    void SetPosition(int left, int top);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    /// Builds the menu bar from the menu's item tree as it is now; the client size stays.
    void SetMenu(TMainMenu* menu);
    TMainMenu* Menu() const { return menu_; }
    /// The menu bar's height, 0 without a menu.
    int MenuHeight() const;

    /// The window's icon, from the images of one picture at several sizes (PNG or any file
    /// form the platform decodes); images that do not decode are left out. The application
    /// and the desktop's task list show it too.
    void SetIcon(const std::vector<std::vector<std::uint8_t>>& images);
    /// The sizes the window's icon holds, smallest first.
    std::vector<TSize> IconSizes() const;

    /// Fires OnShow, then shows the window.
    void Show();
    /// Hides the window; closing the first window made (the main form) terminates the
    /// application, as does its close box.
    void Close();
    bool Showing() const;

    TNotifyEvent OnShow;

    /// The bracket around applying a stored layout: the controls made in between start
    /// loading; EndLoading tells each of them Loaded(), in creation order (the form last),
    /// and sets the tab order of every parent's controls by their TabOrder.
    void BeginLoading();
    void EndLoading();

    /// Offers a dialog key or an Alt+character to every control of the form, depth first in
    /// creation order, until one takes it; true when one did.
    bool OfferDialogKey(std::uint16_t key, TShiftState shift);
    bool OfferDialogChar(char ch, TShiftState shift);
    /// Tells every control of the form that `focused` got the focus.
    void BroadcastFocusChanged(TControl* focused);

    /// What a button of the form answered (mrNone, 0, until one does). Only stored: the
    /// window is not modal.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

private:
    friend class FormWindow;
    void ApplyWindowSize();
    void ApplyWindowFlags();
    void WindowResized(int width, int height);
    void WindowClosed();

    std::string caption_;
    TBorderStyle borderStyle_ = TBorderStyle::bsSizeable;
    TMainMenu* menu_ = nullptr;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int modalResult_ = 0;
};

/// The form `control` lies on (itself when it is one), or nullptr.
TForm* ParentForm(TControl* control);
