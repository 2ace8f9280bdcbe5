#pragma once
// The main menu: a tree of items with "&" access keys; an item captioned "-" is a separator.

#include <memory>
#include <string>
#include <vector>

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
