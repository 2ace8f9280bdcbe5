#pragma once
// Private to the platform: the Qt file dialog behind TOpenDialog.

#include <QFileIconProvider>
#include <QString>

#include <memory>
#include <string>

class QFileDialog;
class QWidget;

/// "Text files|*.txt;*.lst|All|*.*" -> "Text files (*.txt *.lst);;All (*)". A "*.*" pattern
/// means every file, as on Windows, names without a dot included.
QString QtNameFilters(const std::string& filter);

/// Icons and type names from the kind of entry alone (folder or file, and the file's suffix).
/// Nothing is opened or read: a FIFO, a device or a /proc entry such as /proc/kmsg would block
/// the dialog for good. The icons are the style's folder, file and drive icons.
class FileKindIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

/// The dialog TOpenDialog shows: Qt's own widgets (the desktop's dialogs may look inside
/// files), with the icon provider above, opened at `fileName`.
std::unique_ptr<QFileDialog> NewOpenDialog(QWidget* parent, const std::string& title,
                                           const std::string& fileName, const std::string& filter);
