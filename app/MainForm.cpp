// The window's set-up and its commands, except the comparison (MergeCommand.cpp).

#include "app/MainForm.h"

#include "platform/Resources.h"

#include "platform/BusyWork.h"

void ShowMessage(const std::string& text) {
    ShowMessageBox(text, Application ? Application->Title() : std::string("Dyadlist"),
                   TMsgIcon::None);
}

TForm1::TForm1() {
    SetName("Form1");
    SetCaption("Dyadlist");
    SetBorderStyle(TBorderStyle::bsSingle);
    SetColor(clBtnFace);
    TFont& font = Font();
    font.SetName("Tahoma");
    font.SetHeight(-11);
    font.SetColor(clWindowText);
    SetClientSize(1000, 659);
    SetPosition(344, 167);
    // The window icon: two lists that overlap, drawn at three sizes.
    std::vector<std::vector<std::uint8_t>> icon;
    for (const char* size : {"16", "32", "48"})
        if (auto image = ProgramResource(std::string("DYADLIST-") + size + ".PNG"))
            icon.push_back(std::move(*image));
    SetIcon(icon);

    BeginLoading();
    CreateComponents();
    CreateMenu();
    EndLoading();

    AdvGlowButton1->OnClick = [this](TObject* s) { AdvGlowButton1Click(s); };
    AdvGlowButton2->OnClick = [this](TObject* s) { AdvGlowButton2Click(s); };
    AdvGlowButton3->OnClick = [this](TObject* s) { AdvGlowButton3Click(s); };
    AdvGlowButton4->OnClick = [this](TObject* s) { AdvGlowButton4Click(s); };
    AdvGlowButton5->OnClick = [this](TObject* s) { AdvGlowButton5Click(s); };
    New1->OnClick = [this](TObject* s) { New1Click(s); };
    leftlist1->OnClick = [this](TObject* s) { leftlist1Click(s); };
    rightlist1->OnClick = [this](TObject* s) { rightlist1Click(s); };
    Exit1->OnClick = [this](TObject* s) { Exit1Click(s); };
    HowtoUseHelp1->OnClick = [this](TObject* s) { HowtoUseHelp1Click(s); };
    About1->OnClick = [this](TObject* s) { About1Click(s); };
    contactthep1->OnClick = [this](TObject* s) { contactthep1Click(s); };
    Memo1->OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) {
        Memo1MouseMove(s, shift, x, y);
    };
    Memo2->OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) {
        Memo2MouseMove(s, shift, x, y);
    };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TForm1::~TForm1() = default;

// Loading a list: the list is emptied before the dialog shows, so a cancelled dialog leaves
// it empty; the caption then shows the count of what was loaded (0 when cancelled).
void TForm1::LoadList(TAdvMemo& memo, const std::string& title, TAdvReflectionLabel& caption,
                      const std::string& prefix) {
    memo.Lines().ClearStore();
    OpenDialog1->SetTitle(title);
    OpenDialog1->Execute();
    const std::string fileName = OpenDialog1->FileName();
    // The file name is emptied even when the load fails: otherwise a failed file would stay
    // preselected and a later cancelled dialog would try to load it again.
    OpenDialog1->SetFileName("");
    if (!fileName.empty()) {
        // Reading and splitting the file leave the editor alone, so they run off the main
        // thread while the window repaints; the lines go in here.
        const TBusyCursor busy;
        TAdvMemoStrings& lines = memo.Lines();
        lines.LoadText(BusyWork([&] { return lines.ReadFile(fileName); }), fileName);
    }
    caption.SetHTMLText(prefix + std::to_string(memo.Lines().Count()));
}

void TForm1::AdvGlowButton1Click(TObject*) {
    LoadList(*AdvMemo1, "Load List 1", *AdvReflectionLabel1, "left list: ");
}

void TForm1::AdvGlowButton2Click(TObject*) {
    LoadList(*AdvMemo2, "Load List 2", *AdvReflectionLabel2, "right list: ");
}

void TForm1::AdvGlowButton4Click(TObject*) {
    AdvMemo1->Clear();
}

void TForm1::AdvGlowButton5Click(TObject*) {
    AdvMemo2->Clear();
}

void TForm1::leftlist1Click(TObject*) {
    AdvGlowButton1->Click();
}

// Users expect "right list" to load the right list, as its twin loads the left one.
void TForm1::rightlist1Click(TObject*) {
    AdvGlowButton2->Click();
}

void TForm1::New1Click(TObject*) {
    AdvGlowButton1->Click();
    AdvGlowButton2->Click();
}

void TForm1::Exit1Click(TObject*) {
    if (Application)
        Application->Terminate();
    Close();
}

void TForm1::HowtoUseHelp1Click(TObject*) {
    ShowMessage("Cmon how stupid are you?\r\nLoad Left, Load Right press merge!");
}

void TForm1::About1Click(TObject*) {
    ShowMessage("Dyadlist: finds the lines two lists share and the lines they do not.\r\n"
                "Written by the Dyadlist authors, 2005-2011.");
}

void TForm1::contactthep1Click(TObject*) {
    ShowMessage("ok i thinked about that, and decide to dont implent this!");
}

void TForm1::Memo1MouseMove(TObject*, TShiftState, int, int) {
    Memo1->SelectAll();
}

void TForm1::Memo2MouseMove(TObject*, TShiftState, int, int) {
    Memo2->SelectAll();
}

void TForm1::FormShow(TObject*) {}
