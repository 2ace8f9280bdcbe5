#include "platform/StdCtrls.h"

#include <QAbstractSlider>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

#include "platform/qt/ControlEvents.h"
#include "platform/qt/Convert.h"
#include "platform/qt/Native.h"

// --- TButton ---------------------------------------------------------------------------------

TButton::TButton(TWinControl* parent)
    : TWinControl(parent, TNativeWidget(new QPushButton(ParentWidgetFor(parent)))) {
    auto* button = static_cast<QPushButton*>(WidgetOf(*this));
    QObject::connect(button, &QPushButton::clicked, button,
                     [this] { GuardEvent([this] { Click(); }); });
    SetBounds(0, 0, 75, 25);
}

void TButton::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    // "&" marks the access key in Qt as on Windows.
    static_cast<QPushButton*>(WidgetOf(*this))->setText(QStr(caption_));
}

void TButton::Click() {
    TControl::Click();
}

// --- TLabel ----------------------------------------------------------------------------------

TLabel::TLabel(TWinControl* parent)
    : TControl(parent, TNativeWidget(new QLabel(ParentWidgetFor(parent)))) {
    static_cast<QLabel*>(WidgetOf(*this))->setTextFormat(Qt::PlainText);
    SetBounds(0, 0, 0, 0);
}

void TLabel::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    const QString text = QStr(caption_);
    static_cast<QLabel*>(WidgetOf(*this))->setText(text);
    if (!autoSize_)
        return;
    // Sized to its text, as an auto-sized label is.
    const QFontMetrics fm(QFontOf(Font()));
    SetBounds(Left(), Top(), fm.horizontalAdvance(text), fm.ascent() + fm.descent());
}

// --- TScrollBar ------------------------------------------------------------------------------

namespace {

QScrollBar* BarOf(const TScrollBar* bar) {
    return static_cast<QScrollBar*>(WidgetOf(*bar));
}

// The trough in the control's colour (the system scroll bar colour), as on Windows; the style
// draws the arrows and the thumb on it.
class TroughScrollBar : public QScrollBar {
public:
    TroughScrollBar(Qt::Orientation orientation, QWidget* parent)
        : QScrollBar(orientation, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        QStyleOptionSlider option;
        initStyleOption(&option);
        // Some styles paint their groove with any part: each part is kept to its own box.
        for (const QStyle::SubControl part :
             {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine,
              QStyle::SC_ScrollBarSlider}) {
            option.subControls = part;
            painter.save();
            painter.setClipRect(style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this));
            style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
            painter.restore();
        }
    }
};

} // namespace

TScrollBar::TScrollBar(TWinControl* parent, TScrollBarKind kind)
    : TWinControl(parent, TNativeWidget(new TroughScrollBar(
                              kind == TScrollBarKind::sbVertical ? Qt::Vertical : Qt::Horizontal,
                              ParentWidgetFor(parent)))),
      kind_(kind) {
    QScrollBar* bar = BarOf(this);
    // Clicking a bar must not take the focus from the control it scrolls.
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setSingleStep(1);
    SetColor(clScrollBar);
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [this, bar](int action) {
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            UserScroll(TScrollCode::scLineDown, 0);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            UserScroll(TScrollCode::scLineUp, 0);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            UserScroll(TScrollCode::scPageDown, 0);
            break;
        case QAbstractSlider::SliderPageStepSub:
            UserScroll(TScrollCode::scPageUp, 0);
            break;
        case QAbstractSlider::SliderToMinimum:
            UserScroll(TScrollCode::scTop, 0);
            break;
        case QAbstractSlider::SliderToMaximum:
            UserScroll(TScrollCode::scBottom, 0);
            break;
        case QAbstractSlider::SliderMove:
            // A drag tracks; the wheel over the bar jumps straight to its position.
            UserScroll(bar->isSliderDown() ? TScrollCode::scTrack : TScrollCode::scPosition,
                       bar->sliderPosition());
            break;
        default:
            break;
        }
    });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, bar,
                     [this, bar] { UserScroll(TScrollCode::scPosition, bar->sliderPosition()); });
    // "Scroll here" and the like set the value without an action.
    QObject::connect(bar, &QAbstractSlider::valueChanged, bar, [this](int value) {
        if (!scrolling_ && value != position_)
            UserScroll(TScrollCode::scPosition, value);
    });
    const int thickness =
        GetSystemMetrics(kind == TScrollBarKind::sbVertical ? TSystemMetric::smCxVScroll
                                                            : TSystemMetric::smCyHScroll);
    if (kind == TScrollBarKind::sbVertical)
        SetBounds(0, 0, thickness, 121);
    else
        SetBounds(0, 0, 121, thickness);
    ApplyToBar();
}

int TScrollBar::LastPosition() const {
    return pageSize_ > 0 ? std::max(min_, max_ - pageSize_ + 1) : max_;
}

void TScrollBar::SetParams(int position, int min, int max, int pageSize) {
    min_ = min;
    max_ = std::max(min, max);
    // As the system does, a page is never larger than the range.
    pageSize_ = std::clamp(pageSize, 0, max_ - min_ + 1);
    position_ = std::clamp(position, min_, LastPosition());
    ApplyToBar();
}

void TScrollBar::SetPosition(int position) {
    SetParams(position, min_, max_, pageSize_);
}

void TScrollBar::ApplyToBar() {
    QScrollBar* bar = BarOf(this);
    if (!bar)
        return;
    const QSignalBlocker block(bar);
    bar->setRange(min_, LastPosition());
    bar->setPageStep(pageSize_);
    bar->setValue(position_);
}

void TScrollBar::Scroll(TScrollCode code, int trackPosition) {
    int position = position_;
    switch (code) {
    case TScrollCode::scLineUp:
        position = position_ - 1;
        break;
    case TScrollCode::scLineDown:
        position = position_ + 1;
        break;
    case TScrollCode::scPageUp:
        position = position_ - pageSize_;
        break;
    case TScrollCode::scPageDown:
        position = position_ + pageSize_;
        break;
    case TScrollCode::scPosition:
    case TScrollCode::scTrack:
        position = trackPosition;
        break;
    case TScrollCode::scTop:
        position = min_;
        break;
    case TScrollCode::scBottom:
        position = LastPosition();
        break;
    case TScrollCode::scEndScroll:
        break;
    }
    position = std::clamp(position, min_, LastPosition());
    if (OnScroll)
        OnScroll(this, code, position);
    // Whatever the handler chose, the bar only takes a position it can show.
    position = std::clamp(position, min_, LastPosition());
    const bool changed = position != position_;
    position_ = position;
    ApplyToBar();
    if (changed && OnChange)
        OnChange(this);
}

void TScrollBar::UserScroll(TScrollCode code, int trackPosition) {
    scrolling_ = true;
    GuardEvent([&] { Scroll(code, trackPosition); });
    scrolling_ = false;
    // Qt goes on to apply its own slider position after an action: make it ours.
    if (QScrollBar* bar = BarOf(this)) {
        const QSignalBlocker block(bar);
        bar->setSliderPosition(position_);
    }
}
