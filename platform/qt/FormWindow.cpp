#include "platform/qt/FormWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QResizeEvent>

#include <algorithm>

#include "platform/Forms.h"
#include "platform/qt/ControlEvents.h"
#include "platform/qt/Native.h"

// --- FormWindow ------------------------------------------------------------------------------

FormWindow::FormWindow() : client_(new QWidget(this)) {
    client_->setAutoFillBackground(true);
    client_->setMouseTracking(true);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (form_ && now && isAncestorOf(now))
            FocusMovedTo(now);
    });
}

// The control whose widget holds the focus now; every control of the form hears of it.
void FormWindow::FocusMovedTo(QWidget* widget) {
    TControl* focused = nullptr;
    AnyControl(*form_, [&](TControl& c) {
        focused = WidgetOf(c) == widget ? &c : nullptr;
        return focused != nullptr;
    });
    GuardEvent([&] { form_->BroadcastFocusChanged(focused); });
}

void FormWindow::SetMenuBar(QMenuBar* bar) {
    delete menuBar_;
    menuBar_ = bar;
    LayOut();
}

int FormWindow::MenuHeight() const {
    return menuBar_ ? menuBar_->sizeHint().height() : 0;
}

void FormWindow::LayOut() {
    const int menu = MenuHeight();
    if (menuBar_)
        menuBar_->setGeometry(0, 0, width(), menu);
    client_->setGeometry(0, menu, width(), std::max(0, height() - menu));
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
    if (form_)
        form_->WindowResized(width(), height());
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (form_)
        form_->WindowClosed();
}
