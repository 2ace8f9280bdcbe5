#include "platform/qt/DisplayText.h"

QString DisplayQString(std::string_view bytes, bool symbolFont) {
    QString s;
    s.reserve(static_cast<qsizetype>(bytes.size()));
    for (const DisplayChar& c : DisplayChars(bytes)) {
        const char32_t ch = ShownChar(bytes, c, symbolFont);
        if (ch <= 0xFFFF) {
            s.append(QChar(static_cast<char16_t>(ch)));
        } else {
            s.append(QChar(QChar::highSurrogate(ch)));
            s.append(QChar(QChar::lowSurrogate(ch)));
        }
    }
    return s;
}
