#pragma once
// A font's measures for laying text out without a canvas: the advance of each character, the
// widest glyph and the height of a row.

#include <memory>

#include "platform/Graphics.h"

class TFontMetrics {
public:
    explicit TFontMetrics(const TFont& font);
    ~TFontMetrics();
    TFontMetrics(TFontMetrics&&) noexcept;
    TFontMetrics& operator=(TFontMetrics&&) noexcept;

    /// How far the pen moves over `ch` alone.
    int Advance(char32_t ch) const;
    /// The widest glyph the font has.
    int MaxWidth() const;
    /// Ascent and descent: the height of a row of text.
    int RowHeight() const;

private:
    struct Native;
    std::unique_ptr<Native> native_;
};
