#pragma once
// The main menu: a tree of items with "&" access keys; an item captioned "-" is a separator.
// Popup menus: a control's own, and transient ones built for one showing.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FreeNotification.h"
#include "platform/Types.h"

class TForm;

class TMenuItem : public TObject {
public:
    TMenuItem(std::string name, std::string caption);
    ~TMenuItem() override;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    bool IsLine() const { return caption_ == "-"; }

    /// Adds `item` as the last child and returns it.
    TMenuItem* Add(std::unique_ptr<TMenuItem> item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Item(int index) const { return items_[static_cast<std::size_t>(index)].get(); }
    /// The descendant named `name`, or nullptr.
    TMenuItem* Find(const std::string& name);

    /// Performs the item's command as if chosen.
    void Click();
    TNotifyEvent OnClick;

private:
    std::string name_;
    std::string caption_;
    std::vector<std::unique_ptr<TMenuItem>> items_;
};

class TMainMenu : public TObject {
public:
    TMainMenu();
    ~TMainMenu() override;
    /// The root item; its children are the menu bar's entries.
    TMenuItem& Items() { return items_; }

private:
    TMenuItem items_;
};

// --- popup menus -----------------------------------------------------------------------------

/// A control's popup menu, shown on a right click instead of any menu of the control's own.
class TPopupMenu : public TObject {
public:
    TPopupMenu();
    ~TPopupMenu() override;
    TMenuItem& Items() { return items_; }
    /// Shows the items at `screen` and clicks the one chosen, after the menu is gone.
    void Popup(TPoint screen);
    /// Controls that open the menu hear of its end through this.
    TFreeNotifier& FreeNotifier() { return freeNotifier_; }

private:
    TFreeNotifier freeNotifier_;
    TMenuItem items_;
};

/// One entry of a transient popup menu: the caption, and after a Tab the shortcut text shown
/// right-aligned ("Undo\tCtrl-Z"); "-" is a separator. A greyed entry cannot be chosen.
struct TPopupEntry {
    std::string Caption;
    bool Enabled = true;
    friend bool operator==(const TPopupEntry&, const TPopupEntry&) = default;
};

/// Shows a transient popup menu at `screen` (screen coordinates), tracking with the left
/// button, and returns the index of the entry chosen, or -1 when none was. The menu is gone
/// when this returns.
int TrackPopupMenu(const std::vector<TPopupEntry>& entries, TPoint screen);

/// Test seam: while one exists, TrackPopupMenu shows nothing and asks `Answer` instead.
class PopupMenuSeam {
public:
    PopupMenuSeam();
    ~PopupMenuSeam();
    PopupMenuSeam(const PopupMenuSeam&) = delete;
    PopupMenuSeam& operator=(const PopupMenuSeam&) = delete;

    std::function<int(const std::vector<TPopupEntry>& entries, TPoint screen)> Answer;
    static PopupMenuSeam* Active();

private:
    PopupMenuSeam* previous_;
};
