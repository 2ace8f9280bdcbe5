#pragma once
// Private to the platform: the top-level widget of a TForm, holding the menu bar at the top and
// the client widget, where the form's children live, below it.

#include <QWidget>

class QMenuBar;
class TForm;

class FormWindow : public QWidget {
public:
    explicit FormWindow();

    void SetForm(TForm* form) { form_ = form; }
    QWidget* Client() const { return client_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    void SetMenuBar(QMenuBar* bar);
    int MenuHeight() const;
    /// Puts the menu bar and the client where they belong for the current size.
    void LayOut();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FocusMovedTo(QWidget* widget);

    TForm* form_ = nullptr;
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
};
