#include "glowbutton/AdvGlowButton.h"

#include <cctype>
#include <utility>

#include "platform/Forms.h"
#include "platform/Graphics.h"

namespace {
// Width or height of the drop-down part.
constexpr int DropDownPart = 14;
constexpr unsigned VersionNumber = 0x02000101;
// The caption face of the newer desktops, which every desktop this program runs on counts as.
constexpr const char* SystemCaptionFace = "Segoe UI";

// The accelerator of a caption: the character after a single "&", lower-cased; 0 for none.
char AcceleratorOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
        ++i; // "&&" is a plain ampersand
    }
    return 0;
}
} // namespace

TAdvCustomGlowButton::TAdvCustomGlowButton(TWinControl* parent) : TCustomControl(parent) {
    SetBounds(Left(), Top(), 100, 41);
    SetDoubleBuffered(true);
    SetTabStop(false);
    notesFont_.SetName("Tahoma");
    notesFont_.SetSize(8);
    animationTimer_.SetEnabled(false);
    repeatTimer_.SetEnabled(false);
    animationTimer_.OnTimer = [this](TObject*) { state_.AnimationTick(); };
    repeatTimer_.OnTimer = [this](TObject*) { state_.RepeatTimerTick(state_.PaintState().Held); };
    appearance_.OnChange = [this](TObject*) { Invalidate(); };
    notes_.OnChange = [this](TObject*) { Invalidate(); };
    notesFont_.OnChange = [this](TObject*) { Invalidate(); };
    // Any picture may be the one a state shows, so each change sizes the button again.
    picture_.OnChange = [this](TObject*) { UpdateSize(); };
    hotPicture_.OnChange = [this](TObject*) { UpdateSize(); };
    disabledPicture_.OnChange = [this](TObject*) { UpdateSize(); };

    TGlowButtonHost& host = state_.Host();
    host.Invalidate = [this] { Invalidate(); };
    host.Repaint = [this] { Repaint(); };
    host.StartAnimationTimer = [this](int interval) {
        animationTimer_.SetInterval(interval);
        animationTimer_.SetEnabled(true);
    };
    host.StopAnimationTimer = [this] { animationTimer_.SetEnabled(false); };
    host.StartRepeatTimer = [this](int interval) {
        repeatTimer_.SetInterval(interval); // counts afresh
        repeatTimer_.SetEnabled(true);
    };
    host.StopRepeatTimer = [this] { repeatTimer_.SetEnabled(false); };
    host.Click = [this] { Click(); };
    host.DropDown = [this] {
        if (OnDropDown)
            OnDropDown(this);
    };
    host.HasDropDownMenu = [this] { return DropDownMenu() != nullptr; };
    host.PopupDropDownMenu = [this] { PopupDropDownMenu(); };
    host.PointerOverClient = [this] { return ClientRect().Contains(ScreenToClient(CursorPos())); };
    host.OnMouseEnter = [this] {
        if (OnMouseEnter)
            OnMouseEnter(this);
    };
    host.OnMouseLeave = [this] {
        if (OnMouseLeave)
            OnMouseLeave(this);
    };
    host.CanFocus = [this] { return Visible() && Enabled(); };
    host.SetFocus = [this] { SetFocus(); };
    host.Siblings = [this] {
        std::vector<TGlowButtonState*> siblings;
        if (TWinControl* p = Parent())
            for (int i = 0; i < p->ControlCount(); ++i)
                if (auto* b = dynamic_cast<TAdvCustomGlowButton*>(p->Control(i)))
                    siblings.push_back(&b->state_);
        return siblings;
    };

    TGlowSizeHost& sizeHost = sizeStates_.Host();
    sizeHost.SaveLayout = [this] {
        savedLayout_ = layout_;
        savedDropDownPosition_ = dropDownPosition_;
    };
    sizeHost.RestoreLayout = [this] {
        layout_ = savedLayout_;
        dropDownPosition_ = savedDropDownPosition_;
    };
    sizeHost.CompactLayout = [this] {
        layout_ = TButtonLayout::blGlyphLeft;
        dropDownPosition_ = TDropDownPosition::dpRight;
    };
    sizeHost.Repaint = [this] { UpdateSize(); };
    state_.WindowCreated();
    state_.SetLoading(Loading());
}

// The timers stop with their own destruction; no tick runs while the button goes.
TAdvCustomGlowButton::~TAdvCustomGlowButton() = default;

// --- Properties -------------------------------------------------------------------------------

template <class T>
void TAdvCustomGlowButton::Change(T& field, T value, void (TAdvCustomGlowButton::*then)()) {
    if (field == value)
        return;
    field = std::move(value);
    (this->*then)();
}

void TAdvCustomGlowButton::SetCaption(std::string value) {
    Change(caption_, std::move(value), &TAdvCustomGlowButton::UpdateSize);
}
void TAdvCustomGlowButton::SetShowCaption(bool value) {
    Change(showCaption_, value, &TAdvCustomGlowButton::UpdateSize);
}
void TAdvCustomGlowButton::SetImageIndex(int value) {
    Change(imageIndex_, value, &TAdvCustomGlowButton::UpdateSize);
}
void TAdvCustomGlowButton::SetImages(TImageList* value) {
    if (value == images_.List())
        return;
    images_.SetList(value);
    UpdateSize();
}
void TAdvCustomGlowButton::SetHotImages(TImageList* value) {
    hotImages_.SetList(value);
    Invalidate();
}
void TAdvCustomGlowButton::SetDisabledImages(TImageList* value) {
    disabledImages_.SetList(value);
    Invalidate();
}
void TAdvCustomGlowButton::SetAutoSize(bool value) {
    if (value == sizeStates_.AutoSize())
        return;
    sizeStates_.SetAutoSize(value);
    UpdateSize();
}
void TAdvCustomGlowButton::SetSpacing(int value) {
    Change(spacing_, value, &TAdvCustomGlowButton::UpdateSize);
}
void TAdvCustomGlowButton::SetMarginHorz(int value) {
    Change(marginHorz_, value, &TAdvCustomGlowButton::UpdateSize);
}
void TAdvCustomGlowButton::SetMarginVert(int value) {
    Change(marginVert_, value, &TAdvCustomGlowButton::UpdateSize);
}
void TAdvCustomGlowButton::SetLayout(TButtonLayout value) {
    Change(layout_, value, &TControl::Invalidate);
}
void TAdvCustomGlowButton::SetPosition(TButtonPosition value) {
    Change(position_, value, &TControl::Invalidate);
}
void TAdvCustomGlowButton::SetWordWrap(bool value) {
    Change(wordWrap_, value, &TControl::Invalidate);
}
void TAdvCustomGlowButton::SetTrimming(StringTrimming value) {
    Change(trimming_, value, &TControl::Invalidate);
}
void TAdvCustomGlowButton::SetAntiAlias(TAntiAlias value) {
    Change(antiAlias_, value, &TControl::Invalidate);
}
void TAdvCustomGlowButton::SetRounded(bool value) {
    Change(rounded_, value, &TControl::Invalidate);
}
void TAdvCustomGlowButton::SetBorderStyle(TBorderStyle value) {
    Change(borderStyle_, value, &TControl::Invalidate);
}
void TAdvCustomGlowButton::SetFocusType(TFocusType value) {
    Change(focusType_, value, &TControl::Invalidate);
}
void TAdvCustomGlowButton::SetMaxButtonSizeState(TButtonSizeState value) {
    sizeStates_.SetMaxButtonSizeState(value);
}
void TAdvCustomGlowButton::SetMinButtonSizeState(TButtonSizeState value) {
    sizeStates_.SetMinButtonSizeState(value);
}

// The drop-down part changes the size the framework gives an AutoSize button.
void TAdvCustomGlowButton::SetDropDownButton(bool value) {
    if (value == state_.DropDownButton())
        return;
    state_.SetDropDownButton(value);
    UpdateSize();
}
void TAdvCustomGlowButton::SetDropDownPosition(TDropDownPosition value) {
    Change(dropDownPosition_, value, &TAdvCustomGlowButton::UpdateSize);
}
void TAdvCustomGlowButton::SetDropDownDirection(TDropDownDirection value) {
    Change(dropDownDirection_, value, &TControl::Invalidate);
}
void TAdvCustomGlowButton::SetDropDownSplit(bool value) {
    if (value == state_.DropDownSplit())
        return;
    state_.SetDropDownSplit(value);
    Invalidate();
}

std::string TAdvCustomGlowButton::Version() const {
    return std::to_string(VersionNumber >> 24) + "." +
           std::to_string((VersionNumber >> 16) & 0xFF) + "." +
           std::to_string((VersionNumber >> 8) & 0xFF) + "." + std::to_string(VersionNumber & 0xFF);
}

void TAdvCustomGlowButton::Loaded() {
    TCustomControl::Loaded();
    state_.Loaded();
    if (AutoSize())
        UpdateSize();
}

void TAdvCustomGlowButton::FontChanged() {
    TCustomControl::FontChanged();
    UpdateSize();
}

void TAdvCustomGlowButton::Assign(const TAdvCustomGlowButton& source) {
    if (&source == this)
        return;
    SetAlign(source.Align());
    SetAnchors(source.Anchors());
    SetBounds(source.Left(), source.Top(), source.Width(), source.Height());
    SetCaption(source.caption_);
    SetAntiAlias(source.antiAlias_);
    SetAppearance(source.appearance_);
    SetBorderStyle(source.borderStyle_);
    SetCancel(source.Cancel());
    SetDefault(source.Default());
    SetDisabledPicture(source.disabledPicture_);
    SetFocusType(source.focusType_);
    SetHotPicture(source.hotPicture_);
    SetImageIndex(source.imageIndex_);
    SetImages(source.Images());
    SetHotImages(source.HotImages());
    SetDisabledImages(source.DisabledImages());
    SetImageListType(source.imageListType_);
    SetInitRepeatPause(source.InitRepeatPause());
    SetMarginHorz(source.marginHorz_);
    SetMarginVert(source.marginVert_);
    SetModalResult(source.modalResult_);
    SetNotes(source.notes_);
    SetNotesFont(source.notesFont_);
    picture_.Assign(&source.picture_);
    SetPosition(source.position_);
    SetRepeatClick(source.RepeatClick());
    SetRepeatPause(source.RepeatPause());
    SetRounded(source.rounded_);
    SetShortCutHint(source.shortCutHint_);
    SetShortCutHintPos(source.shortCutHintPos_);
    SetShowCaption(source.showCaption_);
    SetShowDisabled(source.ShowDisabled());
    SetSpacing(source.spacing_);
    SetTransparent(source.transparent_);
    SetTrimming(source.trimming_);
    SetWordWrap(source.wordWrap_);
    SetLayout(source.layout_);
    SetStyle(source.Style());
    SetGroupIndex(source.GroupIndex());
    SetAllowAllUp(source.AllowAllUp());
    SetDropDownButton(source.DropDownButton());
    SetDropDownPosition(source.dropDownPosition_);
    SetDropDownDirection(source.dropDownDirection_);
    SetDropDownSplit(source.DropDownSplit());
    SetDropDownMenu(source.DropDownMenu());
    SetAutoSize(source.AutoSize());
}

// --- Size ---------------------------------------------------------------------------------------

// Steps 5 and 6 of the paint: image list and picture by state, then the caption and its
// font (the system face unless the parent's font is used).
TGlowFaceContent TAdvCustomGlowButton::PaintedContent(const TGlowButtonPaintState& ps,
                                                      TFont& font) const {
    const TImageList* images = Images();
    bool imagesEnabled = true;
    if (ps.Enabled && ps.HotForPaint && HotImages())
        images = HotImages();
    else if (!ps.Enabled && DisabledImages())
        images = DisabledImages();
    else if (!ps.Enabled)
        imagesEnabled = false;
    const TGDIPPicture* picture = &picture_;
    if (!ps.Enabled && !disabledPicture_.Empty())
        picture = &disabledPicture_;
    else if (ps.HotForPaint && !hotPicture_.Empty())
        picture = &hotPicture_;

    font.Assign(Font());
    if (!ParentFont() && appearance_.SystemFont())
        font.SetName(SystemCaptionFace);

    TGlowFaceContent content;
    if (showCaption_ && sizeStates_.ShowsCaption())
        content.Caption = caption_;
    content.Font = &font;
    content.Notes = notes_.Count() > 0 ? notes_.Text() : std::string();
    content.NotesFont = &notesFont_;
    content.Picture = !picture->Empty() ? picture : nullptr;
    content.Images = images;
    content.ImageIndex = imageIndex_;
    content.ImagesEnabled = imagesEnabled;
    if (sizeStates_.SmallPicture()) {
        // Compact: a 16 x 16 picture, or the image list's image in its place.
        content.PictureWidth = 16;
        content.PictureHeight = 16;
        if (images && imageIndex_ >= 0)
            content.Picture = nullptr;
    }
    content.Layout = layout_;
    content.Spacing = spacing_;
    content.WordWrap = wordWrap_;
    content.Trimming = trimming_;
    content.AntiAlias = antiAlias_;
    content.Rounded = rounded_;
    content.Position = position_;
    content.DropDownButton = state_.DropDownButton();
    content.DropDownPosition = dropDownPosition_;
    content.DropDownSplit = state_.DropDownSplit();
    content.DropDownDownward = dropDownDirection_ == TDropDownDirection::ddDown;
    return content;
}

void TAdvCustomGlowButton::MeasureAndSize() {
    TBitmap scratch(1, 1);
    TFont font;
    const TGlowFaceContent content = PaintedContent(state_.PaintState(), font);
    const TSize measured = DrawGlowButtonFace(scratch.Canvas(), Rect(0, 0, 1, 1), {}, content,
                                              {.DrawsBorder = false}, true);
    TGlowAutoSize size =
        GlowAutoSize(measured.cx, measured.cy, spacing_, marginHorz_, marginVert_,
                     state_.DropDownButton(), dropDownPosition_ == TDropDownPosition::dpBottom);
    if (OnSizeUpdate)
        OnSizeUpdate(this, size.Width, size.Height);
    if (size.Width != Width() || size.Height != Height())
        SetBounds(Left(), Top(), size.Width, size.Height);
    sizeStates_.SizeMeasured();
}

void TAdvCustomGlowButton::UpdateSize() {
    if (AutoSize())
        MeasureAndSize();
    Invalidate();
}

// --- Painting ----------------------------------------------------------------------------------

std::vector<TRect> TAdvCustomGlowButton::CornerPixels() const {
    const bool left =
        position_ == TButtonPosition::bpStandalone || position_ == TButtonPosition::bpLeft;
    const bool right =
        position_ == TButtonPosition::bpStandalone || position_ == TButtonPosition::bpRight;
    const int w = Width(), h = Height();
    std::vector<TRect> corners;
    if (left) {
        corners.push_back(Bounds(0, 0, 1, 1));
        corners.push_back(Bounds(0, h - 1, 1, 1));
    }
    if (right) {
        corners.push_back(Bounds(w - 1, 0, 1, 1));
        corners.push_back(Bounds(w - 1, h - 1, 1, 1));
    }
    return corners;
}

// The paint sequence, in its order.
void TAdvCustomGlowButton::Paint() {
    // 1. Not twice at once.
    if (painting_)
        return;
    painting_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{painting_};

    // 2. A transparent idle button shows its parent.
    TGlowButtonPaintState ps = state_.PaintState();
    if (transparent_ && !ps.MouseInside)
        PaintParentBackground(Canvas(), {ClientRect()});

    // 3. Face state; the framework's Enabled has no change handler, so it is taken here.
    state_.SetEnabled(Enabled());
    ps = state_.PreparePaint();

    // 4. Colour set.
    TColorSetInputs in;
    in.FaceState = ps.Face;
    in.Enabled = ps.Enabled;
    in.ShowDisabled = state_.ShowDisabled();
    in.Style = state_.Style();
    in.GroupIndex = state_.GroupIndex();
    in.Position = position_;
    in.Transparent = transparent_;
    in.Focused = ps.Focused;
    in.FocusType = focusType_;
    in.TimerRunning = state_.AnimationTimerRunning();
    in.HoverProgress = ps.HoverProgress;
    in.PressProgress = ps.PressProgress;
    in.Hot = ps.HotForPaint;
    in.Hover = ps.Hover;
    in.Pressed = ps.Pressed;
    in.Held = ps.Held;
    TGlowSetKind setKind = TGlowSetKind::Normal;
    const TGlowColorSet colors = SelectColorSet(appearance_, in, &setKind);

    // 5.-6. Image list, picture and caption font by state.
    TFont font;
    const TGlowFaceContent content = PaintedContent(ps, font);

    // 7. A size state switched: measure again.
    if (AutoSize() && sizeStates_.SizeDirty())
        MeasureAndSize();

    // 8. The face.
    TGlowFaceState face;
    face.Enabled = ps.Enabled;
    face.DrawsBorder = borderStyle_ == TBorderStyle::bsSingle;
    face.FocusBorder =
        ps.Focused && (focusType_ == TFocusType::ftBorder || focusType_ == TFocusType::ftHotBorder);
    const bool hotByFocus =
        ps.Focused && (focusType_ == TFocusType::ftHot || focusType_ == TFocusType::ftHotBorder);
    face.NoBackground =
        transparent_ && !ps.MouseInside && !hotByFocus && ps.Face != TButtonFaceState::Down;
    face.GroupFrameActive = ps.MouseInside || ps.Down;
    face.PressedLook = setKind == TGlowSetKind::Hot || setKind == TGlowSetKind::Down;
    face.DropDownState = ps.DropDownState;
    DrawGlowButtonFace(Canvas(), ClientRect(), colors, content, face, false);

    // 9. The after-paint event.
    if (OnDrawButton) {
        TRect r = ClientRect();
        const TGlowButtonDrawState drawn = ps.Face == TButtonFaceState::Down
                                               ? TGlowButtonDrawState::gsDown
                                           : ps.MouseInside ? TGlowButtonDrawState::gsHot
                                                            : TGlowButtonDrawState::gsNormal;
        OnDrawButton(this, Canvas(), r, drawn);
    }

    // 10. The corners a rounded face leaves out show the parent.
    const bool faceDrawn =
        !transparent_ || ps.MouseInside || ps.Face == TButtonFaceState::Down || ps.HotForPaint;
    if (Parent() && rounded_ && faceDrawn && position_ != TButtonPosition::bpMiddle)
        PaintParentBackground(Canvas(), CornerPixels());
}

// --- Events ----------------------------------------------------------------------------------

void TAdvCustomGlowButton::Click() {
    if (TForm* form = ParentForm(Parent()))
        form->SetModalResult(modalResult_);
    TCustomControl::Click();
}

void TAdvCustomGlowButton::MouseEnter() {
    state_.SetEnabled(Enabled());
    state_.MouseEnter();
}

void TAdvCustomGlowButton::MouseLeave() {
    state_.MouseLeave();
}

bool TAdvCustomGlowButton::InDropDownPart(int x, int y) const {
    return dropDownPosition_ == TDropDownPosition::dpRight ? x > Width() - DropDownPart
                                                           : y > Height() - DropDownPart;
}

void TAdvCustomGlowButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!state_.DropDownButton())
        return;
    const bool hot = InDropDownPart(x, y);
    if (hot != state_.PaintState().DropDownHot) {
        state_.SetDropDownHot(hot);
        Invalidate();
    }
}

void TAdvCustomGlowButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::mbLeft)
        state_.MouseDown(InDropDownPart(x, y));
}

// The left button's release runs the button's own steps first; the framework's OnMouseUp
// comes after the Down toggle, the hover re-synchronisation and the click.
void TAdvCustomGlowButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button != TMouseButton::mbLeft) {
        TCustomControl::MouseUp(button, shift, x, y);
        return;
    }
    const bool inside = ClientRect().Contains(TPoint{x, y});
    state_.MouseUp(inside, inside, [&] { TCustomControl::MouseUp(button, shift, x, y); });
}

void TAdvCustomGlowButton::PopupDropDownMenu() {
    TPopupMenu* const menu = DropDownMenu();
    if (!menu || !Parent())
        return;
    const TPoint at = dropDownDirection_ == TDropDownDirection::ddRight
                          ? TPoint{Left() + Width(), Top()}
                          : TPoint{Left(), Top() + Height()};
    menu->Popup(Parent()->ClientToScreen(at));
}

void TAdvCustomGlowButton::KeyDown(std::uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    state_.KeyDown(key);
}

void TAdvCustomGlowButton::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    state_.KeyPress(key);
}

void TAdvCustomGlowButton::KeyUp(std::uint16_t& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    state_.KeyUp(key);
}

bool TAdvCustomGlowButton::DialogKey(std::uint16_t key, TShiftState shift) {
    return state_.DialogKey(key, shift.Shift || shift.Ctrl || shift.Alt);
}

bool TAdvCustomGlowButton::DialogChar(char ch, TShiftState shift) {
    const char accelerator = AcceleratorOf(caption_);
    const bool match =
        accelerator != 0 && accelerator == std::tolower(static_cast<unsigned char>(ch));
    return state_.DialogChar(shift.Alt, match);
}

void TAdvCustomGlowButton::FocusChanged(TControl* focused) {
    state_.FocusChanged(dynamic_cast<TAdvCustomGlowButton*>(focused) != nullptr, focused == this);
}

// A button made default later answers Enter at once, as one made so before its window was.
void TAdvCustomGlowButton::SetDefault(bool value) {
    state_.SetDefault(value);
    if (!Focused())
        state_.WindowCreated();
}

void TAdvCustomGlowButton::DoEnter() {
    TCustomControl::DoEnter();
    state_.FocusIn();
}

void TAdvCustomGlowButton::DoExit() {
    TCustomControl::DoExit();
    state_.FocusOut();
}
