#include "platform/FontMetrics.h"

#include <QFontMetrics>
#include <QString>

#include "platform/qt/Native.h"

struct TFontMetrics::Native {
    QFontMetrics metrics;
};

TFontMetrics::TFontMetrics(const TFont& font)
    : native_(std::make_unique<Native>(Native{QFontMetrics(QFontOf(font))})) {}

TFontMetrics::~TFontMetrics() = default;
TFontMetrics::TFontMetrics(TFontMetrics&&) noexcept = default;
TFontMetrics& TFontMetrics::operator=(TFontMetrics&&) noexcept = default;

int TFontMetrics::Advance(char32_t ch) const {
    const char32_t one[1] = {ch};
    return native_->metrics.horizontalAdvance(QString::fromUcs4(one, 1));
}

int TFontMetrics::MaxWidth() const {
    return native_->metrics.maxWidth();
}

int TFontMetrics::RowHeight() const {
    return native_->metrics.ascent() + native_->metrics.descent();
}
