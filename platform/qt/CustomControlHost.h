#pragma once
// Private to the platform: the one widget that hosts every TCustomControl. It hands painting,
// keys, the wheel and focus changes to the control; mouse buttons and moves arrive through
// the control's ControlEvents like any other control's.

#include <QWidget>

class TCustomControl;

class CustomControlHost : public QWidget {
public:
    CustomControlHost(TCustomControl* control, QWidget* parent);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Key releases, context menus, the cursor under the mouse and dropped files.
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TCustomControl* control_;
};
