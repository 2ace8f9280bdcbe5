// The window's stored layout: every component with its parent, alignment, bounds, tab order
// and settings, applied while the window loads.

#include "app/MainForm.h"

namespace {

/// A control's place in its parent's client area, as the layout stores it.
struct TPlace {
    int Left, Top, Width, Height;
};

// One control of the layout: made in its parent, named, placed, aligned, put in the tab order,
// then given its settings.
template <class Control, class Settings>
std::unique_ptr<Control> Row(TWinControl* parent, const char* name, TAlign align, TPlace place,
                             int tabOrder, Settings settings) {
    auto control = std::make_unique<Control>(parent);
    control->SetName(name);
    control->SetBounds(place.Left, place.Top, place.Width, place.Height);
    control->SetAlign(align);
    control->SetTabOrder(tabOrder);
    settings(*control);
    return control;
}

void DefaultBevels(TPanel&) {}

void LoweredOuter(TPanel& panel) {
    panel.SetBevelOuter(TBevelCut::bvLowered);
}

// The button style the five buttons share: sized to the caption, in the middle of a row, and
// the colours of a new button as the layout stores them.
auto ButtonStyle(const char* caption) {
    return [caption](TAdvGlowButton& button) {
        button.SetCaption(caption);
        button.SetAutoSize(true);
        button.SetPosition(TButtonPosition::bpMiddle);
        button.SetShortCutHintPos(TShortCutHintPos::shpCenter);
        TFont notesFont;
        notesFont.SetName("Tahoma");
        notesFont.SetHeight(-11);
        notesFont.SetColor(clWindowText);
        button.SetNotesFont(notesFont);
        TGlowButtonAppearance& a = button.Appearance();
        a.SetColorChecked(0xF5D8CA);
        a.SetColorCheckedTo(0xF9BDA0);
        a.SetColorDisabled(0xF2F2F2);
        a.SetColorDisabledTo(0xF2F2F2);
        a.SetColorDown(0xF5D8CA);
        a.SetColorDownTo(0xF9BDA0);
        a.SetColorHot(0xF5F0E1);
        a.SetColorHotTo(0xF9D2B2);
        a.SetColorMirrorHot(0xF5C8AD);
        a.SetColorMirrorHotTo(0xFFF8F4);
        a.SetColorMirrorDown(0xF5B49C);
        a.SetColorMirrorDownTo(0xFFDFDC);
        a.SetColorMirrorChecked(0xF5B49C);
        a.SetColorMirrorCheckedTo(0xFFDFDC);
        a.SetColorMirrorDisabled(0xB6B6B6);
        a.SetColorMirrorDisabledTo(0xF2F2F2);
    };
}

// Caption style A: the four captions share their font and reflection; each holds one line
// of markup.
auto CaptionStyle(const char* text) {
    return [text](TAdvReflectionLabel& label) {
        label.SetParentFont(false);
        TFont& font = label.Font();
        font.SetName("Tahoma");
        font.SetHeight(-16);
        font.SetStyle({TFontStyle::fsBold});
        font.SetColor(clWindowText);
        label.SetReflectionSize(20);
        label.SetURLColor(clBlue);
        label.SetHTMLText(std::string("<P align=\"left\">") + text + "</P>");
    };
}

// The editor settings both lists share.
void EditorSettings(TAdvMemo& memo) {
    memo.SetCursor(TCursor::crIBeam);
    memo.SetBorderStyle(TBorderStyle::bsSingle);
    memo.SetCtl3D(false);
    TFont& font = memo.Font();
    font.SetName("COURIER NEW");
    font.SetHeight(-13);
    font.SetColor(clBlack);
    font.SetStyle({});
    TAdvGutter& gutter = memo.Gutter();
    gutter.SetDigitCount(4);
    TFont gutterFont;
    gutterFont.SetName("Courier New");
    gutterFont.SetHeight(-13);
    gutterFont.SetColor(clWindowText);
    gutter.SetFont(gutterFont);
    memo.ActiveLineSettings().SetShowActiveLine(true);
    memo.ActiveLineSettings().SetShowActiveLineIndicator(true);
    memo.SetShowRightMargin(true);
    memo.SetRightMarginColor(0xE2E2E2);
    memo.SetSelColor(clWhite);
    memo.SetSelBkColor(clNavy);
    memo.SetTabSize(4);
    memo.SetTrimTrailingSpaces(false);
    memo.SetUseStyler(true); // no styler is assigned: the text is plain either way
    memo.SetUrlStyle({clBlue, clWhite, TFontStyles{TFontStyle::fsUnderline}});
    memo.CodeFolding().SetEnabled(true);
    memo.CodeFolding().SetLineColor(clGray);
    memo.SetTabStop(true);
    memo.SetSmartTabs(false);
    memo.SetEnhancedHomeKey(false);
    memo.SetDelErase(true);
    memo.SetHiddenCaret(false);
    memo.SetUndoLimit(100);
    memo.SetWordWrap(TWordWrap::wwNone);
    memo.AutoCorrect().Active = true;
    TKeptSettings& kept = memo.Kept();
    kept.AutoCompletion.Font.SetName("Tahoma");
    kept.AutoCompletion.Font.SetHeight(-11);
    kept.AutoCompletion.Font.SetColor(clWindowText);
    kept.AutoHintParameterPosition = THintParameterPosition::hpBelowCode;
    kept.ScrollHint = false;
    // The marker list's stored image index settings never take effect (its setters ignore
    // them while a form loads); its transparent colour does.
    memo.MarkerList().SetImageTransparentColor(33554432);
    kept.PrintOptions = {0, 0, 0, 0, false, false};
}

void ResultPane(TMemo& pane) {
    pane.SetScrollBars(TScrollStyle::ssVertical);
}

} // namespace

// The stored layout: every control in creation order, as a row of its parent, name, Align,
// bounds (left, top, width, height), tab order and settings.
void TForm1::CreateComponents() {
    constexpr int none = 0; // no place in the tab order (a label takes no focus)
    using A = TAlign;
    Panel3 = Row<TPanel>(this, "Panel3", A::alTop, {0, 0, 1000, 33}, 0,
                         [](TPanel& p) { p.SetBevelInner(TBevelCut::bvLowered); });
    Panel1 = Row<TPanel>(Panel3.get(), "Panel1", A::alLeft, {2, 2, 500, 29}, 0, LoweredOuter);
    AdvReflectionLabel1 =
        Row<TAdvReflectionLabel>(Panel1.get(), "AdvReflectionLabel1", A::alLeft, {1, 1, 240, 27},
                                 none, CaptionStyle("  left list:"));
    AdvGlowButton1 = Row<TAdvGlowButton>(Panel1.get(), "AdvGlowButton1", A::alRight,
                                         {431, 1, 68, 27}, 0, ButtonStyle("Load List 1"));
    AdvGlowButton4 = Row<TAdvGlowButton>(Panel1.get(), "AdvGlowButton4", A::alRight,
                                         {369, 1, 62, 27}, 1, ButtonStyle("Clear Left"));
    Panel2 = Row<TPanel>(Panel3.get(), "Panel2", A::alRight, {498, 2, 500, 29}, 1, LoweredOuter);
    AdvReflectionLabel2 =
        Row<TAdvReflectionLabel>(Panel2.get(), "AdvReflectionLabel2", A::alLeft, {1, 1, 320, 27},
                                 none, CaptionStyle("  right list:"));
    AdvGlowButton2 = Row<TAdvGlowButton>(Panel2.get(), "AdvGlowButton2", A::alRight,
                                         {431, 1, 68, 27}, 0, ButtonStyle("Load List 2"));
    AdvGlowButton5 = Row<TAdvGlowButton>(Panel2.get(), "AdvGlowButton5", A::alRight,
                                         {362, 1, 69, 27}, 1, ButtonStyle("Clear Right"));
    AdvMemo1 = Row<TAdvMemo>(this, "AdvMemo1", A::alLeft, {0, 33, 500, 367}, 1, EditorSettings);
    AdvMemo2 = Row<TAdvMemo>(this, "AdvMemo2", A::alRight, {500, 33, 500, 367}, 2, EditorSettings);
    Panel4 = Row<TPanel>(this, "Panel4", A::alBottom, {0, 630, 1000, 29}, 3, DefaultBevels);
    AdvGlowButton3 = Row<TAdvGlowButton>(Panel4.get(), "AdvGlowButton3", A::alRight,
                                         {940, 1, 59, 27}, 0, ButtonStyle("Merge it!"));
    Panel5 = Row<TPanel>(this, "Panel5", A::alBottom, {0, 400, 1000, 230}, 4, DefaultBevels);
    Memo1 = Row<TMemo>(Panel5.get(), "Memo1", A::alLeft, {1, 30, 500, 199}, 0, ResultPane);
    Memo2 = Row<TMemo>(Panel5.get(), "Memo2", A::alRight, {499, 30, 500, 199}, 1, ResultPane);
    Panel6 = Row<TPanel>(Panel5.get(), "Panel6", A::alTop, {1, 1, 998, 29}, 2, DefaultBevels);
    AdvReflectionLabel3 =
        Row<TAdvReflectionLabel>(Panel6.get(), "AdvReflectionLabel3", A::alLeft, {1, 1, 500, 27},
                                 none, [](TAdvReflectionLabel& l) {
                                     CaptionStyle("  multiple hits:")(l);
                                     l.SetHint("Found this on both lists!");
                                     l.SetShowHint(true);
                                     l.SetAnchors({false, true, true, true});
                                 });
    AdvReflectionLabel4 =
        Row<TAdvReflectionLabel>(Panel6.get(), "AdvReflectionLabel4", A::alRight, {497, 1, 500, 27},
                                 none, [](TAdvReflectionLabel& l) {
                                     CaptionStyle("  single hits:")(l);
                                     l.SetHint("Found this on one of the lists!\r\n");
                                     l.SetShowHint(true);
                                 });

    OpenDialog1 = std::make_unique<TOpenDialog>();
    OpenDialog1->SetDefaultExt("*.*");
    OpenDialog1->SetFilter("*.*|*.*");
}

void TForm1::CreateMenu() {
    MainMenu1 = std::make_unique<TMainMenu>();
    auto item = [](TMenuItem* parent, const char* name, const char* caption) {
        return parent->Add(std::make_unique<TMenuItem>(name, caption));
    };
    TMenuItem* bar = &MainMenu1->Items();
    File1 = item(bar, "File1", "&file");
    New1 = item(File1, "New1", "&new");
    Open1 = item(File1, "Open1", "&open...");
    leftlist1 = item(Open1, "leftlist1", "left list");
    rightlist1 = item(Open1, "rightlist1", "right list");
    N2 = item(File1, "N2", "-");
    Exit1 = item(File1, "Exit1", "e&xit");
    Help1 = item(bar, "Help1", "&help");
    HowtoUseHelp1 = item(Help1, "HowtoUseHelp1", "&how to use ?");
    About1 = item(Help1, "About1", "&about...");
    N1 = item(Help1, "N1", "-");
    contactthep1 = item(Help1, "contactthep1", "contact me");
    SetMenu(MainMenu1.get());
}
