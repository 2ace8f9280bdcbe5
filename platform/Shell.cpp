#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

bool ShellOpen(const std::string& url) {
    const QUrl target = QUrl::fromUserInput(QString::fromUtf8(url.data(), static_cast<int>(url.size())));
    return target.isValid() && QDesktopServices::openUrl(target);
}
