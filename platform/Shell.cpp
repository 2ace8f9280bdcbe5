#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

bool ShellOpen(const std::string& url) {
    // Taken as it stands, with no guessing: characters a URL may not hold go percent-encoded.
    const QUrl target(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size())),
                      QUrl::TolerantMode);
    return target.isValid() && QDesktopServices::openUrl(target);
}
