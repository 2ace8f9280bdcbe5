#include "glowbutton/AdvGlowButton.h"

#include <utility>

#include "platform/Graphics.h"

TAdvCustomGlowButton::TAdvCustomGlowButton(TWinControl* parent) : TCustomControl(parent) {
    SetDoubleBuffered(true);
    animationTimer_.SetEnabled(false);
    repeatTimer_.SetEnabled(false);
    animationTimer_.OnTimer = [this](TObject*) { state_.AnimationTick(); };
    repeatTimer_.OnTimer = [this](TObject*) { state_.RepeatTimerTick(true); };
    appearance_.OnChange = [this](TObject*) { Invalidate(); };

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
    host.Click = [this] { TControl::Click(); };
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
}

// The timers stop with their own destruction; no tick runs while the button goes.
TAdvCustomGlowButton::~TAdvCustomGlowButton() = default;

void TAdvCustomGlowButton::SetCaption(std::string value) {
    if (value == caption_)
        return;
    caption_ = std::move(value);
    UpdateSize();
}

void TAdvCustomGlowButton::SetAutoSize(bool value) {
    if (value == autoSize_)
        return;
    autoSize_ = value;
    UpdateSize();
}

void TAdvCustomGlowButton::SetSpacing(int value) {
    if (value == spacing_)
        return;
    spacing_ = value;
    UpdateSize();
}

void TAdvCustomGlowButton::SetMarginHorz(int value) {
    if (value == marginHorz_)
        return;
    marginHorz_ = value;
    UpdateSize();
}

void TAdvCustomGlowButton::SetMarginVert(int value) {
    if (value == marginVert_)
        return;
    marginVert_ = value;
    UpdateSize();
}

void TAdvCustomGlowButton::SetPosition(TButtonPosition value) {
    if (value == position_)
        return;
    position_ = value;
    Invalidate();
}

TGlowFaceContent TAdvCustomGlowButton::Content() const {
    TGlowFaceContent content;
    content.Caption = caption_;
    content.Font = &Font();
    content.Spacing = spacing_;
    content.Position = position_;
    content.DropDownButton = state_.DropDownButton();
    content.DropDownSplit = state_.DropDownSplit();
    return content;
}

void TAdvCustomGlowButton::UpdateSize() {
    if (autoSize_) {
        TBitmap scratch(1, 1);
        const TSize content = DrawGlowButtonFace(scratch.Canvas(), Rect(0, 0, 1, 1), {}, Content(),
                                                 {.DrawsBorder = false}, true);
        int width = 3 * spacing_ + content.cx + 2 + 2 * marginHorz_;
        const int height = 2 * spacing_ + content.cy + 2 * marginVert_;
        if (state_.DropDownButton())
            width += 14;
        if (width != Width() || height != Height())
            SetBounds(Left(), Top(), width, height);
    }
    Invalidate();
}

void TAdvCustomGlowButton::FontChanged() {
    TCustomControl::FontChanged();
    UpdateSize();
}

void TAdvCustomGlowButton::Paint() {
    if (painting_)
        return;
    painting_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{painting_};

    // The framework's Enabled has no change handler: the behaviour takes it at each paint.
    state_.SetEnabled(Enabled());
    const TGlowButtonPaintState ps = state_.PreparePaint();
    TColorSetInputs in;
    in.FaceState = ps.Face;
    in.Enabled = ps.Enabled;
    in.ShowDisabled = state_.ShowDisabled();
    in.Style = state_.Style();
    in.GroupIndex = state_.GroupIndex();
    in.Position = position_;
    in.Focused = ps.Focused;
    in.TimerRunning = state_.AnimationTimerRunning();
    in.HoverProgress = ps.HoverProgress;
    in.PressProgress = ps.PressProgress;
    in.Hot = ps.HotForPaint;
    in.Hover = ps.Hover;
    in.Pressed = ps.Pressed;
    in.Held = ps.Held;
    const TGlowColorSet colors = SelectColorSet(appearance_, in);

    TGlowFaceState face;
    face.Enabled = ps.Enabled;
    face.FocusBorder = ps.Focused;
    face.GroupFrameActive = ps.MouseInside || ps.Down;
    face.PressedLook = ps.Pressed || ps.HotForPaint || ps.Face == TButtonFaceState::Down;
    face.DropDownState = ps.DropDownState;
    DrawGlowButtonFace(Canvas(), ClientRect(), colors, Content(), face, false);
}

void TAdvCustomGlowButton::Click() { TCustomControl::Click(); }

void TAdvCustomGlowButton::MouseEnter() {
    state_.SetEnabled(Enabled());
    state_.MouseEnter();
}

void TAdvCustomGlowButton::MouseLeave() { state_.MouseLeave(); }

void TAdvCustomGlowButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::mbLeft)
        state_.MouseDown(false);
}

void TAdvCustomGlowButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft)
        return;
    const bool inside = ClientRect().Contains(TPoint{x, y});
    state_.MouseUp(inside, inside);
}

void TAdvCustomGlowButton::KeyDown(std::uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    state_.KeyDown(key);
}

void TAdvCustomGlowButton::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    const char ch = key;
    state_.KeyPress(ch);
    if (ch == ' ' || ch == '\r')
        state_.KeyUp(ch);
}

void TAdvCustomGlowButton::DoEnter() {
    TCustomControl::DoEnter();
    state_.FocusIn();
}

void TAdvCustomGlowButton::DoExit() {
    TCustomControl::DoExit();
    state_.FocusOut();
}
