#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QString>

#include "platform/Menus.h"

namespace {
PopupMenuSeam* activeSeam = nullptr;
}

TPopupMenu::TPopupMenu() : items_("", "") {}
TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(TPoint screen) {
    std::vector<TPopupEntry> entries;
    for (int i = 0; i < items_.Count(); ++i)
        entries.push_back({items_.Item(i)->Caption(), true});
    const int chosen = TrackPopupMenu(entries, screen);
    if (chosen >= 0)
        items_.Item(chosen)->Click();
}

PopupMenuSeam::PopupMenuSeam() : previous_(activeSeam) {
    activeSeam = this;
}

PopupMenuSeam::~PopupMenuSeam() {
    activeSeam = previous_;
}

PopupMenuSeam* PopupMenuSeam::Active() {
    return activeSeam;
}

int TrackPopupMenu(const std::vector<TPopupEntry>& entries, TPoint screen) {
    if (PopupMenuSeam* seam = PopupMenuSeam::Active())
        return seam->Answer ? seam->Answer(entries, screen) : -1;
    QMenu menu;
    std::vector<QAction*> actions;
    for (const TPopupEntry& entry : entries) {
        if (entry.Caption == "-") {
            actions.push_back(menu.addSeparator());
            continue;
        }
        // Qt shows the text after a Tab as the shortcut column, as the desktop does.
        QAction* action = menu.addAction(QString::fromUtf8(entry.Caption));
        action->setEnabled(entry.Enabled);
        actions.push_back(action);
    }
    QAction* chosen = menu.exec(QPoint(screen.X, screen.Y));
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (chosen && actions[i] == chosen)
            return static_cast<int>(i);
    }
    return -1;
}
