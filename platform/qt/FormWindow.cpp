#include "platform/qt/FormWindow.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QResizeEvent>

#include <algorithm>

#include "platform/Forms.h"

// --- FormWindow ------------------------------------------------------------------------------

FormWindow::FormWindow() : client_(new QWidget(this)) {
    client_->setAutoFillBackground(true);
    client_->setMouseTracking(true);
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
