#pragma once
// The main window: two list editors, the result panes, their captions, the buttons and the
// menu, and the commands behind them.

#include <cstdint>
#include <memory>
#include <string>

#include "glowbutton/AdvGlowButton.h"
#include "htmllabel/AdvReflectionLabel.h"
#include "memo/AdvMemo.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "textbox/Memo.h"

class TForm1 : public TForm {
public:
    TForm1();
    ~TForm1() override;

    /// The most multiple hits the window shows; a comparison that gives more shows a message
    /// instead, since the panes could not hold them.
    static constexpr std::uint64_t kMultipleHitLimit = 10'000'000;

    // The window's parts by their role, for code that is not the stored layout's (tests,
    // benchmarks): the stored names below say where a part was made, these what it is for.
    TAdvMemo& LeftList() { return *AdvMemo1; }
    TAdvMemo& RightList() { return *AdvMemo2; }
    TAdvGlowButton& LoadLeftButton() { return *AdvGlowButton1; }
    TAdvGlowButton& LoadRightButton() { return *AdvGlowButton2; }
    TAdvGlowButton& ClearLeftButton() { return *AdvGlowButton4; }
    TAdvGlowButton& ClearRightButton() { return *AdvGlowButton5; }
    TAdvGlowButton& MergeButton() { return *AdvGlowButton3; }
    TMemo& MultipleHitsPane() { return *Memo1; }
    TMemo& SingleHitsPane() { return *Memo2; }
    TAdvReflectionLabel& LeftCaption() { return *AdvReflectionLabel1; }
    TAdvReflectionLabel& RightCaption() { return *AdvReflectionLabel2; }
    TAdvReflectionLabel& MultipleHitsCaption() { return *AdvReflectionLabel3; }
    TAdvReflectionLabel& SingleHitsCaption() { return *AdvReflectionLabel4; }

    // Components, in creation order.
    std::unique_ptr<TPanel> Panel3;
    std::unique_ptr<TPanel> Panel1;
    std::unique_ptr<TAdvReflectionLabel> AdvReflectionLabel1;
    std::unique_ptr<TAdvGlowButton> AdvGlowButton1;
    std::unique_ptr<TAdvGlowButton> AdvGlowButton4;
    std::unique_ptr<TPanel> Panel2;
    std::unique_ptr<TAdvReflectionLabel> AdvReflectionLabel2;
    std::unique_ptr<TAdvGlowButton> AdvGlowButton2;
    std::unique_ptr<TAdvGlowButton> AdvGlowButton5;
    std::unique_ptr<TAdvMemo> AdvMemo1;
    std::unique_ptr<TAdvMemo> AdvMemo2;
    std::unique_ptr<TPanel> Panel4;
    std::unique_ptr<TAdvGlowButton> AdvGlowButton3;
    std::unique_ptr<TPanel> Panel5;
    std::unique_ptr<TMemo> Memo1;
    std::unique_ptr<TMemo> Memo2;
    std::unique_ptr<TPanel> Panel6;
    std::unique_ptr<TAdvReflectionLabel> AdvReflectionLabel3;
    std::unique_ptr<TAdvReflectionLabel> AdvReflectionLabel4;
    std::unique_ptr<TOpenDialog> OpenDialog1;
    std::unique_ptr<TMainMenu> MainMenu1;

    // Menu items (owned by MainMenu1).
    TMenuItem* File1 = nullptr;
    TMenuItem* New1 = nullptr;
    TMenuItem* Open1 = nullptr;
    TMenuItem* leftlist1 = nullptr;
    TMenuItem* rightlist1 = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* Help1 = nullptr;
    TMenuItem* HowtoUseHelp1 = nullptr;
    TMenuItem* About1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* contactthep1 = nullptr;

    // Command handlers.
    void AdvGlowButton1Click(TObject* sender);
    void AdvGlowButton2Click(TObject* sender);
    void AdvGlowButton3Click(TObject* sender);
    void AdvGlowButton4Click(TObject* sender);
    void AdvGlowButton5Click(TObject* sender);
    void leftlist1Click(TObject* sender);
    void rightlist1Click(TObject* sender);
    void New1Click(TObject* sender);
    void Exit1Click(TObject* sender);
    void HowtoUseHelp1Click(TObject* sender);
    void About1Click(TObject* sender);
    void contactthep1Click(TObject* sender);
    void Memo1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Memo2MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void FormShow(TObject* sender);

private:
    void CreateComponents();
    void CreateMenu();
    void LoadList(TAdvMemo& memo, const std::string& title, TAdvReflectionLabel& caption,
                  const std::string& prefix);
};

/// A message box titled with the application's title, one OK button and no icon.
void ShowMessage(const std::string& text);
