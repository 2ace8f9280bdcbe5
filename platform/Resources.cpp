#include "platform/Resources.h"

#include <QFile>
#include <QString>

namespace {

// Data resources live under ":/rcdata", named in upper case as the resource compiler kept
// them.
constexpr char kFolder[] = ":/rcdata/";

} // namespace

std::optional<std::vector<std::uint8_t>> ProgramResource(std::string_view name) {
    if (name.empty() || name.find('/') != std::string_view::npos)
        return std::nullopt;
    const QString path =
        QString::fromLatin1(kFolder) +
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toUpper();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}
