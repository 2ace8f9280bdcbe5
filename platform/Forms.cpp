#include "platform/Forms.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "platform/Dialogs.h"
#include "platform/Menus.h"
#include "platform/qt/ControlEvents.h"
#include "platform/qt/Convert.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/Native.h"

TApplication* Application = nullptr;

namespace {
TForm* g_mainForm = nullptr; // the first window made; closing it ends the program
} // namespace

// --- TApplication ----------------------------------------------------------------------------

struct TApplication::Impl {
    std::unique_ptr<QApplication> app;
};

TApplication::TApplication(int& argc, char** argv, bool offscreen)
    : impl_(std::make_unique<Impl>()) {
    if (Application)
        throw std::logic_error("TApplication: one application per process");
    if (offscreen)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    impl_->app = std::make_unique<QApplication>(argc, argv);
    Application = this;
    RegisterApplicationFonts();
    if (argc > 0 && argv && argv[0]) {
        const std::string path = argv[0];
        title_ = path.substr(path.find_last_of('/') + 1);
    }
}

TApplication::~TApplication() {
    impl_->app.reset();
    if (Application == this)
        Application = nullptr;
}

void TApplication::SetTitle(std::string title) {
    title_ = std::move(title);
}

void TApplication::Run() {
    if (terminated_)
        return;
    QApplication::exec();
    terminated_ = true;
}

void TApplication::Terminate() {
    terminated_ = true;
    QCoreApplication::quit();
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents();
}

void TApplication::HandleException(const std::exception& failure) {
    ShowMessageBox(failure.what(), Title(), TMsgIcon::Error);
}

void TApplication::Guard(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& failure) {
        HandleException(failure);
    } catch (...) {
        HandleException(std::runtime_error("Unknown exception"));
    }
}

// --- TForm -----------------------------------------------------------------------------------

namespace {

TNativeWidget NewFormWindow() {
    auto* window = new FormWindow();
    return TNativeWidget(window, window->Client());
}

} // namespace

TForm::TForm() : TWinControl(nullptr, NewFormWindow()) {
    static_cast<FormWindow*>(WidgetOf(*this))->SetForm(this);
    if (!g_mainForm)
        g_mainForm = this;
    ApplyWindowFlags();
}

TForm::~TForm() {
    if (g_mainForm == this)
        g_mainForm = nullptr;
    if (auto* window = static_cast<FormWindow*>(WidgetOf(*this)))
        window->SetForm(nullptr);
}

void TForm::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    if (WidgetOf(*this))
        WidgetOf(*this)->setWindowTitle(QStr(caption_));
}

int TForm::ClientWidth() const {
    return clientWidth_;
}
int TForm::ClientHeight() const {
    return clientHeight_;
}

int TForm::MenuHeight() const {
    auto* window = static_cast<FormWindow*>(WidgetOf(*this));
    return window ? window->MenuHeight() : 0;
}

void TForm::SetClientSize(int width, int height) {
    clientWidth_ = std::max(0, width);
    clientHeight_ = std::max(0, height);
    ApplyWindowSize();
    Resize();
}

void TForm::ApplyWindowSize() {
    auto* window = static_cast<FormWindow*>(WidgetOf(*this));
    if (!window)
        return;
    const QSize total(clientWidth_, clientHeight_ + window->MenuHeight());
    const bool fixed =
        borderStyle_ == TBorderStyle::bsSingle || borderStyle_ == TBorderStyle::bsDialog;
    if (fixed) {
        window->setFixedSize(total);
    } else {
        window->setMinimumSize(0, 0);
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window->resize(total);
    }
    ControlEvents::StoreBounds(this, Left(), Top(), total.width(), total.height());
    window->LayOut();
}

void TForm::ApplyWindowFlags() {
    QWidget* window = WidgetOf(*this);
    if (!window)
        return;
    Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    switch (borderStyle_) {
    case TBorderStyle::bsSizeable:
        flags |= Qt::WindowMaximizeButtonHint;
        break;
    case TBorderStyle::bsSingle:
        flags |= Qt::MSWindowsFixedSizeDialogHint;
        break;
    case TBorderStyle::bsDialog:
        flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
        break;
    case TBorderStyle::bsNone:
        flags = Qt::Window | Qt::FramelessWindowHint;
        break;
    }
    const bool wasVisible = window->isVisible();
    window->setWindowFlags(flags); // this hides a shown window
    if (wasVisible)
        window->show();
}

void TForm::SetBorderStyle(TBorderStyle style) {
    if (borderStyle_ == style)
        return;
    borderStyle_ = style;
    ApplyWindowFlags();
    ApplyWindowSize();
}

void TForm::SetPosition(int left, int top) {
    if (WidgetOf(*this))
        WidgetOf(*this)->move(left, top);
    ControlEvents::StoreBounds(this, left, top, Width(), Height());
}

void TForm::SetBounds(int left, int top, int width, int height) {
    SetPosition(left, top);
    SetClientSize(width, height - MenuHeight());
}

namespace {

template <typename Container> void AddMenuItems(Container* target, TMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Item(i);
        if (item->IsLine()) {
            target->addSeparator();
        } else if (item->Count() > 0) {
            QMenu* sub = target->addMenu(QStr(item->Caption()));
            AddMenuItems(sub, *item);
        } else {
            QAction* action = target->addAction(QStr(item->Caption()));
            QObject::connect(action, &QAction::triggered, action,
                             [item] { GuardEvent([item] { item->Click(); }); });
        }
    }
}

} // namespace

void TForm::SetMenu(TMainMenu* menu) {
    menu_ = menu;
    auto* window = static_cast<FormWindow*>(WidgetOf(*this));
    if (!window)
        return;
    QMenuBar* bar = nullptr;
    if (menu) {
        bar = new QMenuBar(window);
        bar->setNativeMenuBar(false); // in the window, where the layout counts on it
        AddMenuItems(bar, menu->Items());
        bar->show();
    }
    window->SetMenuBar(bar);
    ApplyWindowSize();
}

namespace {
// A window whose stored place lies partly off the desktop it opens on moves in, as far as
// its size allows: the left and top edges stay on screen.
void KeepOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect desk = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    int left = std::min(frame.left(), desk.right() + 1 - frame.width());
    int top = std::min(frame.top(), desk.bottom() + 1 - frame.height());
    left = std::max(left, desk.left());
    top = std::max(top, desk.top());
    if (left != frame.left() || top != frame.top())
        window.move(left + (window.x() - frame.left()), top + (window.y() - frame.top()));
}
} // namespace

void TForm::Show() {
    GuardEvent([this] {
        if (OnShow)
            OnShow(this);
    });
    if (QWidget* window = WidgetOf(*this)) {
        KeepOnScreen(*window);
        window->show();
    }
    ControlEvents::StoreVisible(this, true);
}

void TForm::Close() {
    if (WidgetOf(*this))
        WidgetOf(*this)->close();
}

bool TForm::Showing() const {
    return WidgetOf(*this) && WidgetOf(*this)->isVisible();
}

void TForm::WindowResized(int width, int height) {
    const int clientHeight = std::max(0, height - MenuHeight());
    if (width == clientWidth_ && clientHeight == clientHeight_)
        return;
    clientWidth_ = width;
    clientHeight_ = clientHeight;
    ControlEvents::StoreBounds(this, Left(), Top(), width, height);
    GuardEvent([this] { Resize(); });
}

void TForm::WindowClosed() {
    ControlEvents::StoreVisible(this, false);
    if (g_mainForm == this && Application)
        Application->Terminate();
}

TForm* ParentForm(TControl* control) {
    while (control && !dynamic_cast<TForm*>(control))
        control = control->Parent();
    return static_cast<TForm*>(control);
}

// --- Dialog keys and focus -----------------------------------------------------------------------

bool AnyControl(const TWinControl& parent, const std::function<bool(TControl&)>& visit) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Control(i);
        if (visit(*control))
            return true;
        if (auto* container = dynamic_cast<TWinControl*>(control))
            if (AnyControl(*container, visit))
                return true;
    }
    return false;
}

bool TForm::OfferDialogKey(std::uint16_t key, TShiftState shift) {
    return AnyControl(*this, [&](TControl& c) { return c.Enabled() && c.DialogKey(key, shift); });
}

bool TForm::OfferDialogChar(char ch, TShiftState shift) {
    return AnyControl(*this, [&](TControl& c) { return c.Enabled() && c.DialogChar(ch, shift); });
}

void TForm::BroadcastFocusChanged(TControl* focused) {
    AnyControl(*this, [&](TControl& c) {
        c.FocusChanged(focused);
        return false;
    });
}

void TForm::SetIcon(const std::vector<std::vector<std::uint8_t>>& images) {
    QIcon icon;
    for (const auto& bytes : images) {
        QImage image;
        if (image.loadFromData(bytes.data(), static_cast<int>(bytes.size())))
            icon.addPixmap(QPixmap::fromImage(image));
    }
    if (icon.isNull())
        return;
    if (QWidget* window = WidgetOf(*this))
        window->setWindowIcon(icon);
    if (this == g_mainForm)
        QApplication::setWindowIcon(icon);
}

std::vector<TSize> TForm::IconSizes() const {
    std::vector<TSize> sizes;
    if (QWidget* window = WidgetOf(*this))
        for (const QSize& size : window->windowIcon().availableSizes())
            sizes.push_back({size.width(), size.height()});
    std::sort(sizes.begin(), sizes.end(),
              [](const TSize& a, const TSize& b) { return a.cx * a.cy < b.cx * b.cy; });
    return sizes;
}

// --- Loading a stored layout ----------------------------------------------------------------

void TForm::BeginLoading() {
    loading_ = true;
}

namespace {
// Tab goes through a parent's focusable controls by TabOrder, creation order breaking ties.
void ApplyTabOrder(TWinControl& parent) {
    std::vector<TControl*> order;
    for (int i = 0; i < parent.ControlCount(); ++i)
        order.push_back(parent.Control(i));
    std::stable_sort(order.begin(), order.end(), [](TControl* a, TControl* b) {
        return a->TabOrder() < b->TabOrder();
    });
    QWidget* previous = nullptr;
    for (TControl* control : order) {
        QWidget* widget = WidgetOf(*control);
        if (!widget || widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    for (TControl* control : order)
        if (auto* container = dynamic_cast<TWinControl*>(control))
            ApplyTabOrder(*container);
}
} // namespace

void TForm::EndLoading() {
    AnyControl(*this, [](TControl& c) {
        c.Loaded();
        return false;
    });
    Loaded();
    ApplyTabOrder(*this);
}
