#include "platform/Clipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>

#include "platform/TextCodec.h"

namespace {

// The exact bytes travel under this type; only Dyadlist reads it.
const QString kBytesFormat = QStringLiteral("application/x-dyadlist-bytes");

QString Utf8String(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

/// Every CR LF as LF, in one pass (a replacement at a time would move the rest of a large text
/// once for each line).
std::string WithLfBreaks(std::string text) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        text[kept++] = text[i];
    }
    text.resize(kept);
    return text;
}

} // namespace

void SetClipboardText(std::string_view utf8) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(Utf8String(utf8));
}

std::string ClipboardText() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return {};
    return clipboard->text().toStdString();
}

bool ClipboardHasText() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasText();
}

void SetClipboardBytes(std::string_view bytes) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    // Other programs get the text the screen shows, lines ending in LF as is usual here.
    const QString text = Utf8String(WithLfBreaks(DisplayUtf8(bytes)));
    auto* data = new QMimeData; // the clipboard takes it
    data->setText(text);
    data->setData(kBytesFormat, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    clipboard->setMimeData(data);
}

std::string ClipboardBytes() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data)
        return {};
    if (data->hasFormat(kBytesFormat)) {
        const QByteArray bytes = data->data(kBytesFormat);
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return data->text().toStdString();
}
