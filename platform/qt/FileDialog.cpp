#include "platform/qt/FileDialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "platform/qt/DisplayText.h"

QString QtNameFilters(const std::string& filter) {
    const QStringList parts = QStr(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QIcon FileKindIconProvider::icon(const QFileInfo& info) const {
    // QFileInfo stats the entry; only the type of entry decides.
    if (info.isRoot())
        return icon(Drive);
    return icon(info.isDir() ? Folder : File);
}

QString FileKindIconProvider::type(const QFileInfo& info) const {
    if (info.isDir())
        return QStringLiteral("File Folder");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("File") : suffix.toUpper() + QStringLiteral(" File");
}

std::unique_ptr<QFileDialog> NewOpenDialog(QWidget* parent, const std::string& title,
                                           const std::string& fileName, const std::string& filter) {
    // One provider for every dialog: Qt does not own it, and the model's gatherer thread may
    // still ask it while a dialog goes away.
    static FileKindIconProvider icons;
    auto dialog =
        std::make_unique<QFileDialog>(parent, QStr(title), QFile::decodeName(fileName.c_str()));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // A folder's own .directory file would be read for its icon.
    dialog->setOption(QFileDialog::DontUseCustomDirectoryIcons);
    dialog->setIconProvider(&icons);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setNameFilter(QtNameFilters(filter));
    // FIFOs, sockets and devices are listed too, by name: only a choice opens anything.
    dialog->setFilter(dialog->filter() | QDir::System);
    return dialog;
}
