// Dialogs through the seam, the application's error handler, and the menu tree.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <stdexcept>

#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/qt/Native.h"

TEST(DialogSeam, OpenDialogTakesAnswersInTurnAndRecordsWhatItShowed) {
    DialogSeam seam;
    seam.openAnswers = {std::string("/tmp/a.txt"), std::nullopt};
    TOpenDialog dialog;
    dialog.SetTitle("Load List 1");
    dialog.SetFilter("*.*|*.*");
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/tmp/a.txt");
    dialog.SetTitle("Load List 2");
    EXPECT_FALSE(dialog.Execute()); // cancelled: the name stays
    EXPECT_EQ(dialog.FileName(), "/tmp/a.txt");
    EXPECT_FALSE(dialog.Execute()); // no answers left: cancel
    ASSERT_EQ(seam.openDialogs.size(), 3u);
    EXPECT_EQ(seam.openDialogs[0].title, "Load List 1");
    EXPECT_EQ(seam.openDialogs[0].filter, "*.*|*.*");
    EXPECT_EQ(seam.openDialogs[0].fileName, "");
    EXPECT_EQ(seam.openDialogs[1].title, "Load List 2");
    EXPECT_EQ(seam.openDialogs[1].fileName, "/tmp/a.txt");
}

TEST(DialogSeam, NestedSeamsRestoreTheOuterOne) {
    EXPECT_EQ(DialogSeam::Active(), nullptr);
    DialogSeam outer;
    {
        DialogSeam inner;
        EXPECT_EQ(DialogSeam::Active(), &inner);
        ShowMessageBox("inner", "Dyadlist", TMsgIcon::None);
        EXPECT_EQ(inner.messageBoxes.size(), 1u);
    }
    EXPECT_EQ(DialogSeam::Active(), &outer);
    ShowMessageBox("Cmon\r\nnext", "Dyadlist", TMsgIcon::None);
    ASSERT_EQ(outer.messageBoxes.size(), 1u);
    EXPECT_EQ(outer.messageBoxes[0].text, "Cmon\r\nnext");
    EXPECT_EQ(outer.messageBoxes[0].caption, "Dyadlist");
    EXPECT_EQ(outer.messageBoxes[0].icon, TMsgIcon::None);
}

TEST(Application, GuardTurnsAFailureIntoAnErrorBoxAndGoesOn) {
    DialogSeam seam;
    bool after = false;
    Application->Guard([] { throw std::runtime_error("Cannot open file \"x\". No such file"); });
    Application->Guard([&] { after = true; });
    Application->Guard([] { throw 42; }); // not even an exception class
    EXPECT_TRUE(after);
    ASSERT_EQ(seam.messageBoxes.size(), 2u);
    EXPECT_EQ(seam.messageBoxes[0].text, "Cannot open file \"x\". No such file");
    EXPECT_EQ(seam.messageBoxes[0].caption, Application->Title());
    EXPECT_EQ(seam.messageBoxes[0].icon, TMsgIcon::Error);
    EXPECT_EQ(seam.messageBoxes[1].icon, TMsgIcon::Error);
}

TEST(Application, TitleIsKept) {
    const std::string old = Application->Title();
    Application->SetTitle("Other");
    EXPECT_EQ(Application->Title(), "Other");
    Application->SetTitle(old);
}

TEST(Button, QtClickReachesOnClickThroughTheGuard) {
    DialogSeam seam;
    TForm form;
    TButton button(&form);
    int clicks = 0;
    button.OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, &button);
        if (++clicks == 2)
            throw std::runtime_error("second");
    };
    button.Click(); // direct: the caller's guard applies
    static_cast<QPushButton*>(WidgetOf(button))->click();
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(seam.messageBoxes.size(), 1u);
    EXPECT_EQ(seam.messageBoxes[0].text, "second");
}

namespace {

struct MenuFixture {
    TMainMenu menu;
    TMenuItem* file;
    TMenuItem* open;
    TMenuItem* left;
    TMenuItem* exit;
    TMenuItem* help;

    MenuFixture() {
        file = menu.Items().Add(std::make_unique<TMenuItem>("File1", "&file"));
        file->Add(std::make_unique<TMenuItem>("New1", "&new"));
        open = file->Add(std::make_unique<TMenuItem>("Open1", "&open..."));
        left = open->Add(std::make_unique<TMenuItem>("leftlist1", "left list"));
        open->Add(std::make_unique<TMenuItem>("rightlist1", "right list"));
        file->Add(std::make_unique<TMenuItem>("N2", "-"));
        exit = file->Add(std::make_unique<TMenuItem>("Exit1", "e&xit"));
        help = menu.Items().Add(std::make_unique<TMenuItem>("Help1", "&help"));
    }
};

} // namespace

TEST(Menu, FindSearchesDescendantsAndClickRaisesOnClick) {
    MenuFixture m;
    EXPECT_EQ(m.menu.Items().Find("leftlist1"), m.left);
    EXPECT_EQ(m.menu.Items().Find("Help1"), m.help);
    EXPECT_EQ(m.menu.Items().Find("nothing"), nullptr);
    EXPECT_EQ(m.open->Find("Exit1"), nullptr); // only below the item
    EXPECT_TRUE(m.menu.Items().Find("N2")->IsLine());
    int clicks = 0;
    m.left->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, m.left);
        ++clicks;
    };
    m.left->Click();
    m.exit->Click(); // no handler: nothing
    EXPECT_EQ(clicks, 1);
}

TEST(Menu, MenuBarMirrorsTheTreeAndTriggersThroughTheGuard) {
    DialogSeam seam;
    MenuFixture m;
    int lefts = 0;
    m.left->OnClick = [&](TObject*) { ++lefts; };
    m.exit->OnClick = [](TObject*) { throw std::runtime_error("exit failed"); };
    TForm form;
    form.SetMenu(&m.menu);
    auto* bar = WidgetOf(form)->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    const QList<QAction*> top = bar->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->text().toStdString(), "&file");
    QMenu* fileMenu = top[0]->menu();
    ASSERT_NE(fileMenu, nullptr);
    const QList<QAction*> items = fileMenu->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_TRUE(items[2]->isSeparator());
    QMenu* openMenu = items[1]->menu();
    ASSERT_NE(openMenu, nullptr);
    openMenu->actions()[0]->trigger();
    EXPECT_EQ(lefts, 1);
    items[3]->trigger();
    ASSERT_EQ(seam.messageBoxes.size(), 1u);
    EXPECT_EQ(seam.messageBoxes[0].text, "exit failed");
}
