#include "drawing/GlowText.h"

#include <memory>

#include "drawing/ColorArithmetic.h"
#include "platform/Graphics.h"
#include "platform/TextCodec.h"

namespace {

int GdipStyle(const TFont& font) {
    // Strike-out is not carried over.
    return (font.Style().Contains(TFontStyle::fsBold) ? FontStyleBold : 0) |
           (font.Style().Contains(TFontStyle::fsItalic) ? FontStyleItalic : 0) |
           (font.Style().Contains(TFontStyle::fsUnderline) ? FontStyleUnderline : 0);
}

// The font family, or Arial when the face is not found.
std::unique_ptr<TGPFontFamily> FamilyFor(const TFont& font) {
    auto family = std::make_unique<TGPFontFamily>(font.Name());
    const TStatus s = family->GetLastStatus();
    if (s == TStatus::FontFamilyNotFound || s == TStatus::FontStyleNotFound)
        family = std::make_unique<TGPFontFamily>("Arial");
    return family;
}

TGPStringFormat FormatFor(const TCaptionStyle& style) {
    TGPStringFormat format(style.WordWrap ? 0 : StringFormatFlagsNoWrap, 0);
    switch (style.Layout) {
    case TButtonLayout::blGlyphLeftAdjusted:
        format.SetAlignment(StringAlignment::StringAlignmentNear);
        break;
    case TButtonLayout::blGlyphRightAdjusted:
        format.SetAlignment(StringAlignment::StringAlignmentFar);
        break;
    default:
        format.SetAlignment(StringAlignment::StringAlignmentCenter);
    }
    switch (style.Layout) {
    case TButtonLayout::blGlyphTopAdjusted:
        format.SetLineAlignment(StringAlignment::StringAlignmentNear);
        break;
    case TButtonLayout::blGlyphBottomAdjusted:
        format.SetLineAlignment(StringAlignment::StringAlignmentFar);
        break;
    default:
        format.SetLineAlignment(StringAlignment::StringAlignmentCenter);
    }
    format.SetHotkeyPrefix(HotkeyPrefix::HotkeyPrefixShow);
    format.SetTrimming(style.Trimming);
    return format;
}

void SetRenderingHint(TGPGraphics& g, TAntiAlias antiAlias) {
    if (antiAlias == TAntiAlias::aaClearType)
        g.SetTextRenderingHint(TextRenderingHint::TextRenderingHintClearTypeGridFit);
    else if (antiAlias == TAntiAlias::aaAntiAlias)
        g.SetTextRenderingHint(TextRenderingHint::TextRenderingHintAntiAlias);
}

unsigned LayoutFlags(TButtonLayout layout) {
    switch (layout) {
    case TButtonLayout::blGlyphTop:
    case TButtonLayout::blGlyphTopAdjusted:
        return DT_CENTER;
    case TButtonLayout::blGlyphLeftAdjusted:
        return DT_VCENTER;
    case TButtonLayout::blGlyphRightAdjusted:
        return DT_RIGHT | DT_VCENTER;
    case TButtonLayout::blGlyphBottomAdjusted:
        return DT_CENTER | DT_BOTTOM;
    default: // left, right, bottom
        return DT_CENTER | DT_VCENTER;
    }
}

// Sets the canvas up for the GDI route: the button's font, grey when disabled, no background.
void PrepareCanvas(TCanvas& canvas, const TCaptionStyle& style) {
    canvas.Font().Assign(*style.Font);
    if (!style.Enabled)
        canvas.Font().SetColor(clGray);
    canvas.Brush().Style = TBrushStyle::bsClear;
}

} // namespace

bool UsesGdipText(TAntiAlias antiAlias, const TFont& font) {
    return antiAlias != TAntiAlias::aaNone && TFont2D::IsOutlineFamily(font.Name());
}

std::u16string CaptionUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (const DisplayChar c : DisplayChars(bytes)) {
        if (c.ch >= 0x10000) {
            const char32_t v = c.ch - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c.ch));
        }
    }
    return out;
}

std::string CaptionBytes(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD; // a lone surrogate has no UTF-8 form
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

TRectF MeasureGdipText(TGPGraphics& g, std::u16string_view text, const TCaptionStyle& style,
                       const TRectF& layout) {
    const auto family = FamilyFor(*style.Font);
    const TGPFont font(*family, static_cast<float>(style.Font->Size()), GdipStyle(*style.Font),
                       TUnit::UnitPoint);
    const TGPStringFormat format = FormatFor(style);
    SetRenderingHint(g, style.AntiAlias);
    TRectF bounds;
    g.MeasureString(text, &font, layout, &format, bounds);
    return bounds;
}

void DrawGdipText(TGPGraphics& g, std::u16string_view text, const TCaptionStyle& style,
                  const TRectF& layout) {
    const auto family = FamilyFor(*style.Font);
    const TGPFont font(*family, static_cast<float>(style.Font->Size()), GdipStyle(*style.Font),
                       TUnit::UnitPoint);
    const TGPStringFormat format = FormatFor(style);
    const TGPSolidBrush brush(ToARGB(style.Enabled ? style.Font->Color() : clGray));
    SetRenderingHint(g, style.AntiAlias);
    TRectF moved = layout;
    moved.X -= 1.0f;
    g.DrawString(text, &font, moved, &format, &brush);
}

TSize MeasureGdiText(TCanvas& canvas, std::string_view text, const TCaptionStyle& style) {
    PrepareCanvas(canvas, style);
    TRect r = Rect(0, 0, style.WordWrap ? 4096 : 2, 0);
    const int height =
        canvas.DrawText(text, r, DT_CALCRECT | (style.WordWrap ? DT_WORDBREAK : DT_SINGLELINE));
    return {r.Width(), height};
}

TSize MeasureGdiNotes(TCanvas& canvas, std::string_view notes, const TCaptionStyle& style) {
    PrepareCanvas(canvas, style);
    TRect r = Rect(0, 0, 4096, 0);
    const int height = canvas.DrawText(notes, r, DT_CALCRECT | DT_WORDBREAK);
    return {r.Width(), height};
}

void DrawGdiText(TCanvas& canvas, std::string_view text, const TCaptionStyle& style, TRect r,
                 int pictureBottom) {
    PrepareCanvas(canvas, style);
    unsigned flags = (style.WordWrap ? DT_WORDBREAK : DT_SINGLELINE) | LayoutFlags(style.Layout);
    if (!style.VerticalCentring)
        flags &= ~DT_VCENTER;
    if (style.Layout == TButtonLayout::blGlyphLeftAdjusted)
        r.Left += 2;
    if (style.WordWrap && style.VerticalCentring) {
        // DrawText centres only single lines: wrapped text is measured and placed by hand.
        TRect measured = r;
        const int height = canvas.DrawText(text, measured, flags | DT_CALCRECT);
        switch (style.Layout) {
        case TButtonLayout::blGlyphTop:
            r.Top = pictureBottom;
            break;
        case TButtonLayout::blGlyphTopAdjusted:
            break;
        case TButtonLayout::blGlyphBottomAdjusted:
            r.Top = r.Bottom - height;
            break;
        default:
            r.Top = (r.Bottom - r.Top - height) / 2;
        }
    }
    canvas.DrawText(text, r, flags);
}
