// The window's composition: every component with its parent, alignment and bounds.

#include "app/MainForm.h"

namespace {

template <class Control>
std::unique_ptr<Control> Place(TWinControl* parent, const char* name, TAlign align, int left,
                               int top, int width, int height) {
    auto control = std::make_unique<Control>(parent);
    control->SetName(name);
    control->SetBounds(left, top, width, height);
    control->SetAlign(align);
    return control;
}

// The button style the five buttons share: sized to the caption, in the middle of a row, and
// the colours of a new button as the layout stores them.
std::unique_ptr<TAdvGlowButton> PlaceButton(TWinControl* parent, const char* name,
                                            const char* caption, int left, int width) {
    auto button = Place<TAdvGlowButton>(parent, name, TAlign::alRight, left, 1, width, 27);
    button->SetCaption(caption);
    button->SetAutoSize(true);
    button->SetPosition(TButtonPosition::bpMiddle);
    button->SetShortCutHintPos(TShortCutHintPos::shpCenter);
    TFont notesFont;
    notesFont.SetName("Tahoma");
    notesFont.SetHeight(-11);
    notesFont.SetColor(clWindowText);
    button->SetNotesFont(notesFont);
    TGlowButtonAppearance& a = button->Appearance();
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
    return button;
}

// Caption style A: the four captions share their font and reflection.
std::unique_ptr<TAdvReflectionLabel> PlaceCaption(TWinControl* parent, const char* name,
                                                  const char* text, TAlign align, int width) {
    auto label = Place<TAdvReflectionLabel>(parent, name, align, 1, 1, width, 27);
    label->SetParentFont(false);
    TFont& font = label->Font();
    font.SetName("Tahoma");
    font.SetHeight(-16);
    font.SetStyle({TFontStyle::fsBold});
    font.SetColor(clWindowText);
    label->SetReflectionSize(20);
    label->SetURLColor(clBlue);
    label->SetHTMLText(std::string("<P align=\"left\">") + text + "</P>");
    return label;
}

void SetUpEditor(TAdvMemo& memo) {
    memo.SetBorderStyle(TBorderStyle::bsSingle);
    memo.SetCtl3D(false);
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
    memo.SetUrlStyle({clBlue, clWhite, TFontStyles{TFontStyle::fsUnderline}});
    memo.CodeFolding().SetEnabled(true);
    memo.CodeFolding().SetLineColor(clGray);
}

} // namespace

void TForm1::CreateComponents() {
    Panel3 = Place<TPanel>(this, "Panel3", TAlign::alTop, 0, 0, 1000, 33);
    Panel3->SetBevelInner(TBevelCut::bvLowered);
    Panel1 = Place<TPanel>(Panel3.get(), "Panel1", TAlign::alLeft, 2, 2, 500, 29);
    Panel1->SetBevelOuter(TBevelCut::bvLowered);
    AdvReflectionLabel1 =
        PlaceCaption(Panel1.get(), "AdvReflectionLabel1", "  left list:", TAlign::alLeft, 240);
    AdvGlowButton1 = PlaceButton(Panel1.get(), "AdvGlowButton1", "Load List 1", 431, 68);
    AdvGlowButton4 = PlaceButton(Panel1.get(), "AdvGlowButton4", "Clear Left", 369, 62);
    Panel2 = Place<TPanel>(Panel3.get(), "Panel2", TAlign::alRight, 498, 2, 500, 29);
    Panel2->SetBevelOuter(TBevelCut::bvLowered);
    AdvReflectionLabel2 =
        PlaceCaption(Panel2.get(), "AdvReflectionLabel2", "  right list:", TAlign::alLeft, 320);
    AdvGlowButton2 = PlaceButton(Panel2.get(), "AdvGlowButton2", "Load List 2", 431, 68);
    AdvGlowButton5 = PlaceButton(Panel2.get(), "AdvGlowButton5", "Clear Right", 362, 69);

    AdvMemo1 = Place<TAdvMemo>(this, "AdvMemo1", TAlign::alLeft, 0, 33, 500, 367);
    SetUpEditor(*AdvMemo1);
    AdvMemo2 = Place<TAdvMemo>(this, "AdvMemo2", TAlign::alRight, 500, 33, 500, 367);
    SetUpEditor(*AdvMemo2);

    Panel4 = Place<TPanel>(this, "Panel4", TAlign::alBottom, 0, 630, 1000, 29);
    AdvGlowButton3 = PlaceButton(Panel4.get(), "AdvGlowButton3", "Merge it!", 940, 59);

    Panel5 = Place<TPanel>(this, "Panel5", TAlign::alBottom, 0, 400, 1000, 230);
    Memo1 = Place<TMemo>(Panel5.get(), "Memo1", TAlign::alLeft, 1, 30, 500, 199);
    Memo1->SetScrollBars(TScrollStyle::ssVertical);
    Memo2 = Place<TMemo>(Panel5.get(), "Memo2", TAlign::alRight, 499, 30, 500, 199);
    Memo2->SetScrollBars(TScrollStyle::ssVertical);
    Panel6 = Place<TPanel>(Panel5.get(), "Panel6", TAlign::alTop, 1, 1, 998, 29);
    AdvReflectionLabel3 =
        PlaceCaption(Panel6.get(), "AdvReflectionLabel3", "  multiple hits:", TAlign::alLeft, 500);
    AdvReflectionLabel3->SetHint("Found this on both lists!");
    AdvReflectionLabel3->SetShowHint(true);
    AdvReflectionLabel3->SetAnchors({false, true, true, true});
    AdvReflectionLabel4 =
        PlaceCaption(Panel6.get(), "AdvReflectionLabel4", "  single hits:", TAlign::alRight, 500);
    AdvReflectionLabel4->SetHint("Found this on one of the lists!\r\n");
    AdvReflectionLabel4->SetShowHint(true);

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
