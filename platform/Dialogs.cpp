#include "platform/Dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "platform/qt/DisplayText.h"
#include "platform/qt/FileDialog.h"

namespace {

DialogSeam* g_activeSeam = nullptr;

} // namespace

DialogSeam::DialogSeam() : previous_(g_activeSeam) {
    g_activeSeam = this;
}

DialogSeam::~DialogSeam() {
    g_activeSeam = previous_;
}

DialogSeam* DialogSeam::Active() {
    return g_activeSeam;
}

bool TOpenDialog::Execute() {
    if (DialogSeam* seam = DialogSeam::Active()) {
        seam->openDialogs.push_back({title_, filter_, defaultExt_, fileName_});
        if (seam->openAnswers.empty())
            return false;
        std::optional<std::string> answer = std::move(seam->openAnswers.front());
        seam->openAnswers.pop_front();
        if (!answer)
            return false;
        fileName_ = std::move(*answer);
        return true;
    }
    const std::unique_ptr<QFileDialog> dialog =
        NewOpenDialog(QApplication::activeWindow(), title_, fileName_, filter_);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return false;
    const QString chosen = dialog->selectedFiles().front();
    fileName_ = QFile::encodeName(chosen).toStdString(); // file names are bytes
    return true;
}

void ShowMessageBox(const std::string& text, const std::string& caption, TMsgIcon icon) {
    if (DialogSeam* seam = DialogSeam::Active()) {
        seam->messageBoxes.push_back(
            {text, caption, icon, QGuiApplication::overrideCursor() != nullptr});
        return;
    }
    QString body = QStr(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon == TMsgIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QStr(caption), body, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Centred on the screen, not on the window; moving first keeps Qt from re-centring.
        const QRect area = screen->availableGeometry();
        box.move(area.center() - QPoint(box.width() / 2, box.height() / 2));
    }
    box.exec();
}
