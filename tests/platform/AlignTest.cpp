// Alignment, bevels, fonts and hints of plain controls on a form.

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QWidget>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/qt/Native.h"

namespace {

TRect Place(const TControl& c) {
    return c.BoundsRect();
}

TPanel* MakePanel(TWinControl* parent, TAlign align, int l, int t, int w, int h) {
    auto* p = new TPanel(parent);
    p->SetBounds(l, t, w, h);
    p->SetAlign(align);
    return p;
}

} // namespace

TEST(Align, TopBottomThenLeftRightThenClientInCreationOrder) {
    TForm form;
    form.SetClientSize(400, 300);
    std::unique_ptr<TPanel> top1(MakePanel(&form, TAlign::alTop, 0, 0, 10, 30));
    std::unique_ptr<TPanel> left(MakePanel(&form, TAlign::alLeft, 0, 0, 50, 10));
    std::unique_ptr<TPanel> bottom(MakePanel(&form, TAlign::alBottom, 0, 0, 10, 40));
    std::unique_ptr<TPanel> top2(MakePanel(&form, TAlign::alTop, 0, 0, 10, 20));
    std::unique_ptr<TPanel> right(MakePanel(&form, TAlign::alRight, 0, 0, 60, 10));
    std::unique_ptr<TPanel> client(MakePanel(&form, TAlign::alClient, 0, 0, 1, 1));
    std::unique_ptr<TPanel> loose(MakePanel(&form, TAlign::alNone, 7, 8, 9, 10));

    EXPECT_EQ(Place(*top1), Bounds(0, 0, 400, 30));
    EXPECT_EQ(Place(*top2), Bounds(0, 30, 400, 20));
    EXPECT_EQ(Place(*bottom), Bounds(0, 260, 400, 40));
    EXPECT_EQ(Place(*left), Bounds(0, 50, 50, 210));
    EXPECT_EQ(Place(*right), Bounds(340, 50, 60, 210));
    EXPECT_EQ(Place(*client), Bounds(50, 50, 290, 210));
    EXPECT_EQ(Place(*loose), Bounds(7, 8, 9, 10));
    // The widgets are where the controls say.
    EXPECT_EQ(WidgetOf(*client)->geometry(), QRect(50, 50, 290, 210));

    // The parent's resize lays out again; own widths and heights are kept.
    form.SetClientSize(500, 400);
    EXPECT_EQ(Place(*bottom), Bounds(0, 360, 500, 40));
    EXPECT_EQ(Place(*right), Bounds(440, 50, 60, 310));
    EXPECT_EQ(Place(*client), Bounds(50, 50, 390, 310));

    // A hidden control takes no room; a resized aligned one pushes its neighbours.
    top2->SetVisible(false);
    EXPECT_EQ(Place(*left), Bounds(0, 30, 50, 330));
    left->SetWidth(80);
    EXPECT_EQ(Place(*client), Bounds(80, 30, 360, 330));
}

TEST(Align, PanelsAlignInsideTheirBevels) {
    // The window's top bar and result area as the program lays them out.
    TForm form;
    form.SetClientSize(1000, 659);
    TPanel bar(&form);
    bar.SetBounds(0, 0, 1000, 33);
    bar.SetAlign(TAlign::alTop);
    bar.SetBevelInner(TBevelCut::bvLowered);
    EXPECT_EQ(bar.InnerRect(), Rect(2, 2, 998, 31));
    TPanel left(&bar);
    left.SetBounds(0, 0, 500, 10);
    left.SetAlign(TAlign::alLeft);
    left.SetBevelOuter(TBevelCut::bvLowered);
    TPanel right(&bar);
    right.SetBounds(0, 0, 500, 10);
    right.SetAlign(TAlign::alRight);
    right.SetBevelOuter(TBevelCut::bvLowered);
    EXPECT_EQ(Place(left), Bounds(2, 2, 500, 29));
    EXPECT_EQ(Place(right), Bounds(498, 2, 500, 29));

    TPanel results(&form);
    results.SetBounds(0, 0, 1000, 230);
    results.SetAlign(TAlign::alBottom);
    TPanel memo1(&results); // the two panes' places
    memo1.SetBounds(0, 0, 500, 10);
    memo1.SetAlign(TAlign::alLeft);
    TPanel memo2(&results);
    memo2.SetBounds(0, 0, 500, 10);
    memo2.SetAlign(TAlign::alRight);
    TPanel heading(&results); // made last, still on top
    heading.SetBounds(0, 0, 10, 29);
    heading.SetAlign(TAlign::alTop);
    EXPECT_EQ(Place(results), Bounds(0, 429, 1000, 230));
    EXPECT_EQ(Place(heading), Bounds(1, 1, 998, 29));
    EXPECT_EQ(Place(memo1), Bounds(1, 30, 500, 199));
    EXPECT_EQ(Place(memo2), Bounds(499, 30, 500, 199));

    // No bevels: the whole client area.
    heading.SetBevelOuter(TBevelCut::bvNone);
    EXPECT_EQ(heading.InnerRect(), Rect(0, 0, 998, 29));
}

TEST(Align, AnchorsKeepDistancesWhenTheParentResizes) {
    TForm form;
    form.SetClientSize(200, 100);
    TPanel stretch(&form);
    stretch.SetBounds(10, 10, 100, 20);
    stretch.SetAnchors({true, true, true, false});
    TPanel corner(&form);
    corner.SetBounds(150, 70, 20, 20);
    corner.SetAnchors({false, false, true, true});
    form.SetClientSize(250, 130);
    EXPECT_EQ(Place(stretch), Bounds(10, 10, 150, 20));
    EXPECT_EQ(Place(corner), Bounds(200, 100, 20, 20));
}

TEST(Panel, PaintsBevelsOuterFirstThenColour) {
    TForm form;
    TPanel panel(&form);
    panel.SetBounds(0, 0, 8, 6);
    panel.SetBevelInner(TBevelCut::bvLowered); // outer stays raised
    TBitmap b;
    panel.PaintTo(b);
    ASSERT_EQ(b.Width(), 8);
    const TColor white = 0xFFFFFF, shadow = 0xA0A0A0, face = 0xF0F0F0;
    // Outer raised: white top and left, shadow right and bottom (with both far corners).
    EXPECT_EQ(b.Pixel(0, 0), white);
    EXPECT_EQ(b.Pixel(6, 0), white);
    EXPECT_EQ(b.Pixel(7, 0), shadow);
    EXPECT_EQ(b.Pixel(0, 4), white);
    EXPECT_EQ(b.Pixel(0, 5), shadow);
    EXPECT_EQ(b.Pixel(7, 5), shadow);
    // Inner lowered, one pixel in: the reverse.
    EXPECT_EQ(b.Pixel(1, 1), shadow);
    EXPECT_EQ(b.Pixel(6, 4), white);
    EXPECT_EQ(b.Pixel(6, 1), white);
    // Inside: the panel's colour.
    EXPECT_EQ(b.Pixel(2, 2), face);
    EXPECT_EQ(b.Pixel(5, 3), face);

    panel.SetColor(0x00FF00);
    panel.SetBevelOuter(TBevelCut::bvNone);
    panel.SetBevelInner(TBevelCut::bvNone);
    panel.PaintTo(b);
    EXPECT_EQ(b.Pixel(0, 0), 0x00FF00u);
}

TEST(Form, ClientAreaIsBelowTheMenuBar) {
    TForm form;
    TMainMenu menu;
    TMenuItem* file = menu.Items().Add(std::make_unique<TMenuItem>("File1", "&file"));
    file->Add(std::make_unique<TMenuItem>("Exit1", "e&xit"));
    form.SetClientSize(1000, 659);
    form.SetMenu(&menu);
    EXPECT_GT(form.MenuHeight(), 0);
    EXPECT_EQ(form.ClientWidth(), 1000);
    EXPECT_EQ(form.ClientHeight(), 659);
    EXPECT_EQ(WidgetOf(form)->height(), 659 + form.MenuHeight());
    EXPECT_EQ(ClientWidgetOf(form)->geometry(), QRect(0, form.MenuHeight(), 1000, 659));
    TPanel bottom(&form);
    bottom.SetBounds(0, 0, 10, 29);
    bottom.SetAlign(TAlign::alBottom);
    EXPECT_EQ(Place(bottom), Bounds(0, 630, 1000, 29));
}

TEST(Form, SingleBorderIsFixedWithoutMaximise) {
    TForm form;
    form.SetBorderStyle(TBorderStyle::bsSingle);
    form.SetClientSize(300, 200);
    form.SetCaption("Dyadlist");
    form.SetPosition(344, 167);
    QWidget* w = WidgetOf(form);
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(w->windowTitle().toStdString(), "Dyadlist");
    EXPECT_EQ(form.Left(), 344);
    EXPECT_EQ(form.Top(), 167);
}

TEST(Form, ShowFiresOnShowAndShows) {
    TForm form;
    form.SetClientSize(100, 50);
    int shown = 0;
    form.OnShow = [&](TObject* sender) {
        EXPECT_EQ(sender, &form);
        ++shown;
    };
    form.Show();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(form.Showing());
    EXPECT_TRUE(form.Visible());
    form.Close();
    EXPECT_FALSE(form.Showing());
    EXPECT_FALSE(form.Visible());
}

TEST(Controls, FontIsInheritedUntilSetOwn) {
    TForm form;
    TPanel panel(&form);
    TLabel label(&panel);
    form.Font().SetHeight(-16);
    EXPECT_EQ(label.Font().Height(), -16); // through the panel
    label.Font().SetStyle({TFontStyle::fsBold});
    EXPECT_FALSE(label.ParentFont());
    form.Font().SetHeight(-20);
    EXPECT_EQ(panel.Font().Height(), -20);
    EXPECT_EQ(label.Font().Height(), -16);
    label.SetParentFont(true);
    EXPECT_EQ(label.Font().Height(), -20);
    EXPECT_EQ(WidgetOf(label)->font().pixelSize(), 20);
}

TEST(Controls, HintShowsOnlyWithShowHint) {
    TForm form;
    TPanel panel(&form);
    panel.SetHint("Found this on both lists!");
    EXPECT_TRUE(WidgetOf(panel)->toolTip().isEmpty());
    panel.SetShowHint(true);
    EXPECT_EQ(WidgetOf(panel)->toolTip().toStdString(), "Found this on both lists!");
    panel.SetHint("Found this on one of the lists!\r\n");
    EXPECT_EQ(WidgetOf(panel)->toolTip().toStdString(), "Found this on one of the lists!\n");
    panel.SetShowHint(false);
    EXPECT_TRUE(WidgetOf(panel)->toolTip().isEmpty());
}

TEST(Controls, ChildrenRegisterAndUnregister) {
    TForm form;
    auto a = std::make_unique<TPanel>(&form);
    TLabel b(&form);
    ASSERT_EQ(form.ControlCount(), 2);
    EXPECT_EQ(form.Control(0), a.get());
    EXPECT_EQ(b.Parent(), &form);
    a.reset();
    ASSERT_EQ(form.ControlCount(), 1);
    EXPECT_EQ(form.Control(0), &b);
}

TEST(Controls, ControlOutlivingItsParentIsSafe) {
    auto form = std::make_unique<TForm>();
    TPanel panel(form.get());
    form.reset(); // Qt deletes the panel's widget with the window
    EXPECT_EQ(panel.Parent(), nullptr);
    EXPECT_EQ(WidgetOf(panel), nullptr);
    panel.SetBounds(1, 2, 3, 4); // no widget to move, no crash
    EXPECT_EQ(panel.Width(), 3);
}

TEST(Controls, ButtonCaptionKeepsAccessKeyAndLabelIsPlain) {
    TForm form;
    TLabel label(&form);
    label.SetCaption("a & b");
    EXPECT_GT(label.Width(), 0);
    EXPECT_GT(label.Height(), 0);
    TButton button(&form);
    button.SetCaption("&Load");
    EXPECT_EQ(button.Caption(), "&Load");
}
