#pragma once
// The glow button control: it joins the appearance, the state machine, the size states and
// the face painter. The control owns the fade timer and the repeat timer, its pictures, notes
// and notes font, feeds the state machine the framework's pointer, key and focus events, and
// paints the face the state machine settles.
//
// Decisions:
// - AutoSize measures with the face painter in measuring mode on a scratch bitmap when the
//   content, the font or a picture change, so the size is right before the first paint; a
//   paint measures again only when a size state switched.
// - A release counts as inside when its point lies in the client rectangle; the control under
//   the cursor is then taken to be this button. The button holds the mouse while its left
//   button is held, which is when repeat clicks fire.
// - A transparent button, and the corners a rounded face leaves out, show the parent's own
//   background and paint; the parent's other children are not drawn behind it.
// - The system caption face is "Segoe UI", the face of the newer desktops: every desktop this
//   program runs on is of that generation, so the face is asked for by name and the font
//   system puts its nearest face in where it is not installed. Such a face is not in the
//   screen's font list, so the caption then goes the plain text route.
// - AutoSize measures with exactly what a paint in the current state shows: the caption font
//   the paint chooses and the state's picture and image list.
// - A drop-down menu or an image list that is destroyed first is let go of (the button hears
//   of its end), so a later press never reaches a freed menu.
// - There are no actions: a button's own image lists and settings always count.
// - The shortcut hint and the rich hint are kept only: nothing shows them.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "drawing/GDIPicture.h"
#include "drawing/GlowText.h"
#include "glowbutton/GlowButtonAppearance.h"
#include "glowbutton/GlowButtonFace.h"
#include "glowbutton/GlowButtonState.h"
#include "glowbutton/GlowButtonStateSize.h"
#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/ExtCtrls.h"
#include "platform/ImageList.h"
#include "platform/Menus.h"

enum class TImageListType { ipActionList, ipOwnLists };
enum class TShortCutHintPos { shpLeft, shpTop, shpRight, shpBottom, shpCenter };
/// The look an after-paint handler is told of.
enum class TGlowButtonDrawState { gsNormal, gsHot, gsDown };
using TGlowButtonDrawEvent =
    std::function<void(TObject* sender, TCanvas& canvas, TRect& rect, TGlowButtonDrawState)>;

class TAdvCustomGlowButton : public TCustomControl {
public:
    explicit TAdvCustomGlowButton(TWinControl* parent);
    ~TAdvCustomGlowButton() override;

    /// Copies `source`'s bounds, alignment, anchors, caption and every property of its own
    /// through the setters.
    void Assign(const TAdvCustomGlowButton& source);

    // Content.
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    TStringList& Notes() { return notes_; }
    void SetNotes(const TStrings& value) { notes_.Assign(value); }
    TFont& NotesFont() { return notesFont_; }
    void SetNotesFont(const TFont& value) { notesFont_.Assign(value); }
    TGDIPPicture& Picture() { return picture_; }
    TGDIPPicture& HotPicture() { return hotPicture_; }
    void SetHotPicture(const TGDIPPicture& value) { hotPicture_.Assign(&value); }
    TGDIPPicture& DisabledPicture() { return disabledPicture_; }
    void SetDisabledPicture(const TGDIPPicture& value) { disabledPicture_.Assign(&value); }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    /// The image lists: normal, shown while hot, and shown while disabled (else the normal
    /// image greyed).
    TImageList* Images() const { return images_.List(); }
    void SetImages(TImageList* value);
    TImageList* HotImages() const { return hotImages_.List(); }
    void SetHotImages(TImageList* value);
    TImageList* DisabledImages() const { return disabledImages_.List(); }
    void SetDisabledImages(TImageList* value);
    /// Kept: with no actions in the program, the button's own lists always count.
    TImageListType ImageListType() const { return imageListType_; }
    void SetImageListType(TImageListType value) { imageListType_ = value; }

    // Layout and size.
    bool AutoSize() const { return sizeStates_.AutoSize(); }
    void SetAutoSize(bool value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    int MarginHorz() const { return marginHorz_; }
    void SetMarginHorz(int value);
    int MarginVert() const { return marginVert_; }
    void SetMarginVert(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    TButtonPosition Position() const { return position_; }
    void SetPosition(TButtonPosition value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    StringTrimming Trimming() const { return trimming_; }
    void SetTrimming(StringTrimming value);
    TAntiAlias AntiAlias() const { return antiAlias_; }
    void SetAntiAlias(TAntiAlias value);
    TButtonSizeState MaxButtonSizeState() const { return sizeStates_.MaxButtonSizeState(); }
    void SetMaxButtonSizeState(TButtonSizeState value);
    TButtonSizeState MinButtonSizeState() const { return sizeStates_.MinButtonSizeState(); }
    void SetMinButtonSizeState(TButtonSizeState value);
    TButtonSizeState SizeState() const { return sizeStates_.SizeState(); }

    // Look.
    TGlowButtonAppearance& Appearance() { return appearance_; }
    const TGlowButtonAppearance& Appearance() const { return appearance_; }
    void SetAppearance(const TGlowButtonAppearance& value) { appearance_.Assign(value); }
    bool Rounded() const { return rounded_; }
    void SetRounded(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TFocusType FocusType() const { return focusType_; }
    void SetFocusType(TFocusType value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; } // only stores
    bool ShowDisabled() const { return state_.ShowDisabled(); }
    void SetShowDisabled(bool value) { state_.SetShowDisabled(value); }
    std::string Version() const;

    // Behaviour.
    bool Down() const { return state_.Down(); }
    void SetDown(bool value) { state_.SetDown(value); }
    int GroupIndex() const { return state_.GroupIndex(); }
    void SetGroupIndex(int value) { state_.SetGroupIndex(value); }
    bool AllowAllUp() const { return state_.AllowAllUp(); }
    void SetAllowAllUp(bool value) { state_.SetAllowAllUp(value); }
    TAdvButtonStyle Style() const { return state_.Style(); }
    void SetStyle(TAdvButtonStyle value) { state_.SetStyle(value); }
    bool Default() const { return state_.Default(); }
    void SetDefault(bool value);
    bool Cancel() const { return state_.Cancel(); }
    void SetCancel(bool value) { state_.SetCancel(value); }
    bool TabStop() const { return state_.TabStop(); }
    void SetTabStop(bool value) {
        state_.SetTabStop(value);
        TCustomControl::SetTabStop(value);
    }
    bool RepeatClick() const { return state_.RepeatClick(); }
    void SetRepeatClick(bool value) { state_.SetRepeatClick(value); }
    int InitRepeatPause() const { return state_.InitRepeatPause(); }
    void SetInitRepeatPause(int value) { state_.SetInitRepeatPause(value); }
    int RepeatPause() const { return state_.RepeatPause(); }
    void SetRepeatPause(int value) { state_.SetRepeatPause(value); }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    // The drop-down part.
    bool DropDownButton() const { return state_.DropDownButton(); }
    void SetDropDownButton(bool value);
    TDropDownPosition DropDownPosition() const { return dropDownPosition_; }
    void SetDropDownPosition(TDropDownPosition value);
    TDropDownDirection DropDownDirection() const { return dropDownDirection_; }
    void SetDropDownDirection(TDropDownDirection value);
    bool DropDownSplit() const { return state_.DropDownSplit(); }
    void SetDropDownSplit(bool value);
    /// The menu the drop-down part opens; none again once that menu is destroyed.
    TPopupMenu* DropDownMenu() const { return dropDownMenu_.Get(); }
    void SetDropDownMenu(TPopupMenu* value) { dropDownMenu_.Set(value); }

    // Kept and copied only.
    const std::string& ShortCutHint() const { return shortCutHint_; }
    void SetShortCutHint(std::string value) { shortCutHint_ = std::move(value); }
    TShortCutHintPos ShortCutHintPos() const { return shortCutHintPos_; }
    void SetShortCutHintPos(TShortCutHintPos value) { shortCutHintPos_ = value; }

    /// The behaviour, for what the properties above do not reach, and for tests.
    TGlowButtonState& State() { return state_; }
    const TGlowButtonState& State() const { return state_; }
    TTimer& AnimationTimer() { return animationTimer_; }
    TTimer& RepeatTimer() { return repeatTimer_; }

    /// Enter clicks a default button, Escape a cancel one, with no Shift, Ctrl or Alt held.
    bool DialogKey(std::uint16_t key, TShiftState shift) override;
    /// A character typed with Alt clicks (or opens) the button whose caption marks it.
    bool DialogChar(char ch, TShiftState shift) override;
    /// Enter belongs to the focused glow button; else to the default one.
    void FocusChanged(TControl* focused) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnDropDown;
    TGlowButtonDrawEvent OnDrawButton;
    /// During AutoSize, with the computed size, which it may change.
    std::function<void(TObject* sender, int& width, int& height)> OnSizeUpdate;

    /// Copies ModalResult into the parent form, then raises OnClick: a click as if pressed.
    void Click() override;

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void FontChanged() override;
    /// After the stored layout: Down set meanwhile applies, and an AutoSize button sizes
    /// itself once.
    void Loaded() override;

private:
    /// What a paint in state `ps` shows: the state's picture and image list, and the caption
    /// in `font`, which is set to the font the caption is painted in.
    TGlowFaceContent PaintedContent(const TGlowButtonPaintState& ps, TFont& font) const;
    /// Measures the content and sets the size when AutoSize is on; then repaints.
    void UpdateSize();
    void MeasureAndSize();
    bool InDropDownPart(int x, int y) const;
    void PopupDropDownMenu();
    /// The single corner pixels a rounded face leaves out, by the button's place in a row.
    std::vector<TRect> CornerPixels() const;
    template <class T> void Change(T& field, T value, void (TAdvCustomGlowButton::*then)());

    TGlowButtonAppearance appearance_;
    TGlowButtonState state_;
    TGlowButtonSizeStates sizeStates_;
    TTimer animationTimer_;
    TTimer repeatTimer_;

    std::string caption_;
    bool showCaption_ = true;
    TStringList notes_;
    TFont notesFont_;
    TGDIPPicture picture_;
    TGDIPPicture hotPicture_;
    TGDIPPicture disabledPicture_;
    int imageIndex_ = -1;
    TImageListLink images_{[this] { Invalidate(); }};
    TImageListLink hotImages_{[this] { Invalidate(); }};
    TImageListLink disabledImages_{[this] { Invalidate(); }};
    TImageListType imageListType_ = TImageListType::ipActionList;

    int spacing_ = 2;
    int marginHorz_ = 1;
    int marginVert_ = 1;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    TButtonLayout savedLayout_ = TButtonLayout::blGlyphLeft;
    TButtonPosition position_ = TButtonPosition::bpStandalone;
    bool wordWrap_ = true;
    StringTrimming trimming_ = StringTrimming::StringTrimmingNone;
    TAntiAlias antiAlias_ = TAntiAlias::aaClearType;
    bool rounded_ = true;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    TFocusType focusType_ = TFocusType::ftBorder;
    bool transparent_ = false;
    int modalResult_ = 0;
    TDropDownPosition dropDownPosition_ = TDropDownPosition::dpRight;
    TDropDownPosition savedDropDownPosition_ = TDropDownPosition::dpRight;
    TDropDownDirection dropDownDirection_ = TDropDownDirection::ddDown;
    TFreeLink<TPopupMenu> dropDownMenu_;
    std::string shortCutHint_;
    TShortCutHintPos shortCutHintPos_ = TShortCutHintPos::shpTop;
    bool painting_ = false;
};

class TAdvGlowButton : public TAdvCustomGlowButton {
public:
    explicit TAdvGlowButton(TWinControl* parent) : TAdvCustomGlowButton(parent) {}
};
