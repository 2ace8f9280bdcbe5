#include "platform/Menus.h"

TMenuItem::TMenuItem(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

TMenuItem::~TMenuItem() = default;

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> item) {
    items_.push_back(std::move(item));
    return items_.back().get();
}

TMenuItem* TMenuItem::Find(const std::string& name) {
    for (const auto& item : items_) {
        if (item->name_ == name)
            return item.get();
        if (TMenuItem* found = item->Find(name))
            return found;
    }
    return nullptr;
}

void TMenuItem::Click() {
    if (OnClick)
        OnClick(this);
}

TMainMenu::TMainMenu() : items_("", "") {}
TMainMenu::~TMainMenu() = default;
