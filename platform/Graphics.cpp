#include "platform/Graphics.h"

#include <QBuffer>
#include <QByteArray>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/qt/Convert.h"
#include "platform/qt/DisplayText.h"
#include "platform/qt/Native.h"

// --- TCanvas ---------------------------------------------------------------------------------

namespace {

// Pixels from (x0, y0) towards (x1, y1), leaving out the end point, as GDI's cosmetic pens do.
void DrawPenPixels(QPainter& p, const TPen& pen, int x0, int y0, int x1, int y1) {
    const QColor c = ToQColor(pen.Color);
    const bool dotted = pen.Style == TPenStyle::psDot;
    if (!dotted && y0 == y1) {
        if (x0 != x1)
            p.fillRect(x0 < x1 ? QRect(x0, y0, x1 - x0, 1) : QRect(x1 + 1, y0, x0 - x1, 1), c);
        return;
    }
    if (!dotted && x0 == x1) {
        if (y0 != y1)
            p.fillRect(y0 < y1 ? QRect(x0, y0, 1, y1 - y0) : QRect(x0, y1 + 1, 1, y0 - y1), c);
        return;
    }
    // Bresenham; a dotted pen sets every other pixel.
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    for (int i = 0; x != x1 || y != y1; ++i) {
        if (!dotted || i % 2 == 0)
            p.fillRect(x, y, 1, 1, c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// Turns what the painter draws next by `tenths` of a degree counter-clockwise about `origin`.
void TurnAbout(QPainter& p, QPoint origin, int tenths) {
    p.translate(origin);
    p.rotate(-tenths / 10.0);
    p.translate(-origin);
}

// One line of text with its top-left at (x, y), clipped to and filling `opaque` when given;
// returns its width.
int DrawTextAt(QPainter& p, const TFont& font, const TBrush& brush, int x, int y,
               std::string_view text, const TRect* opaque) {
    ApplyFont(p, font);
    const QString s = DisplayQString(text, IsSymbolFont(font.Name()));
    const QFontMetrics fm(p.font());
    const int width = fm.horizontalAdvance(s);
    const bool fill = brush.Style != TBrushStyle::bsClear;
    if (opaque) {
        p.save();
        p.setClipRect(ToQRect(*opaque), Qt::IntersectClip);
        if (fill)
            p.fillRect(ToQRect(*opaque), ToQColor(brush.Color));
    } else if (fill) {
        p.fillRect(QRect(x, y, width, fm.ascent() + fm.descent()), ToQColor(brush.Color));
    }
    p.setPen(ToQColor(font.Color()));
    const bool turned = font.Orientation() % 3600 != 0;
    if (turned) {
        p.save();
        TurnAbout(p, QPoint(x, y), font.Orientation());
    }
    p.drawText(QPoint(x, y + fm.ascent()), s);
    if (turned)
        p.restore();
    if (opaque)
        p.restore();
    return width;
}

// Scan lines through pixel centres, alternate rule, a span covering the centres in [left,
// right): the right and bottom edges stay out as in GDI, and no pixel lands outside the 1-pixel
// outline, whose Bresenham pixels are the nearest ones to the edges.
void FillPolygon(QPainter& p, TColor fill, std::span<const TPoint> points) {
    int top = points[0].Y, bottom = points[0].Y;
    for (const TPoint& pt : points) {
        top = std::min(top, pt.Y);
        bottom = std::max(bottom, pt.Y);
    }
    const QColor color = ToQColor(fill);
    std::vector<double> crossings;
    for (int y = top; y < bottom; ++y) {
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const TPoint a = points[i], b = points[(i + 1) % points.size()];
            if ((a.Y <= y && y < b.Y) || (b.Y <= y && y < a.Y))
                crossings.push_back(a.X + static_cast<double>(y - a.Y) * (b.X - a.X) / (b.Y - a.Y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int left = static_cast<int>(std::ceil(crossings[i]));
            const int right = static_cast<int>(std::ceil(crossings[i + 1])); // exclusive
            if (right > left)
                p.fillRect(left, y, right - left, 1, color);
        }
    }
}

} // namespace

void ApplyFont(QPainter& painter, const TFont& font) {
    const QFont f = QFontOf(font);
    if (painter.font() != f)
        painter.setFont(f);
}

QPainter* TNativeCanvas::Painter(const TCanvas& canvas) {
    if (canvas.bitmap_)
        return TNativeBitmap::Painter(*canvas.bitmap_);
    return canvas.native_->painter;
}

void TNativeCanvas::Attach(TCanvas& canvas, QPainter* painter) {
    // A clip belongs to one paint; the painter may live on (a bitmap's) after it.
    QPainter*& current = canvas.native_->painter;
    if (current && canvas.clipped_)
        current->setClipping(false);
    canvas.clipped_ = false;
    current = painter;
}

void TNativeCanvas::ApplyClip(const TCanvas& canvas, QPainter& painter) {
    const TRect& clip = canvas.clip_;
    if (canvas.clipped_)
        painter.setClipRect(
            QRect(clip.Left, clip.Top, std::max(0, clip.Width()), std::max(0, clip.Height())));
}

TCanvas::TCanvas() : native_(std::make_unique<TNativeCanvas>()) {}
TCanvas::~TCanvas() = default;

void TCanvas::FillRect(const TRect& r) {
    QPainter* p = PainterOf(*this);
    if (!p || brush_.Style == TBrushStyle::bsClear || r.Width() <= 0 || r.Height() <= 0)
        return;
    p->fillRect(ToQRect(r), ToQColor(brush_.Color));
}

void TCanvas::Rectangle(const TRect& r) {
    QPainter* p = PainterOf(*this);
    if (!p || r.Width() <= 0 || r.Height() <= 0)
        return;
    if (pen_.Style == TPenStyle::psClear) {
        // Without a pen GDI fills one pixel less to the right and bottom.
        if (brush_.Style != TBrushStyle::bsClear)
            p->fillRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1),
                        ToQColor(brush_.Color));
        return;
    }
    const int w = std::max(1, pen_.Width);
    if (brush_.Style != TBrushStyle::bsClear && r.Width() > 2 * w && r.Height() > 2 * w)
        p->fillRect(QRect(r.Left + w, r.Top + w, r.Width() - 2 * w, r.Height() - 2 * w),
                    ToQColor(brush_.Color));
    const QColor c = ToQColor(pen_.Color);
    if (pen_.Style == TPenStyle::psDot) {
        const int right = r.Right - 1, bottom = r.Bottom - 1;
        DrawPenPixels(*p, pen_, r.Left, r.Top, right, r.Top);
        DrawPenPixels(*p, pen_, right, r.Top, right, bottom);
        DrawPenPixels(*p, pen_, right, bottom, r.Left, bottom);
        DrawPenPixels(*p, pen_, r.Left, bottom, r.Left, r.Top);
        return;
    }
    p->fillRect(QRect(r.Left, r.Top, r.Width(), std::min(w, r.Height())), c);
    p->fillRect(QRect(r.Left, std::max(r.Top, r.Bottom - w), r.Width(), std::min(w, r.Height())),
                c);
    p->fillRect(QRect(r.Left, r.Top, std::min(w, r.Width()), r.Height()), c);
    p->fillRect(QRect(std::max(r.Left, r.Right - w), r.Top, std::min(w, r.Width()), r.Height()), c);
}

void TCanvas::MoveTo(int x, int y) {
    penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    QPainter* p = PainterOf(*this);
    const TPoint from = penPos_;
    penPos_ = {x, y};
    if (!p || pen_.Style == TPenStyle::psClear)
        return;
    if (pen_.Width <= 1) {
        DrawPenPixels(*p, pen_, from.X, from.Y, x, y);
        return;
    }
    QPen pen(ToQColor(pen_.Color), pen_.Width, Qt::SolidLine, Qt::FlatCap);
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setPen(pen);
    p->drawLine(from.X, from.Y, x, y);
    p->restore();
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    if (QPainter* p = PainterOf(*this))
        penPos_ = {x + DrawTextAt(*p, font_, brush_, x, y, text, nullptr), y};
    else
        penPos_ = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& clip, int x, int y, std::string_view text) {
    if (QPainter* p = PainterOf(*this))
        penPos_ = {x + DrawTextAt(*p, font_, brush_, x, y, text, &clip), y};
}

TSize TCanvas::TextExtent(std::string_view text) {
    const QFontMetrics fm(QFontOf(font_));
    const QString s = DisplayQString(text, IsSymbolFont(font_.Name()));
    // A tab reaches the next of the default tab stops (eight widths of an "x"), the ones
    // DrawText expands tabs to, so text after a tab is drawn where it was measured.
    const int width =
        s.contains(QLatin1Char('\t'))
            ? fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20),
                              Qt::TextSingleLine | Qt::TextExpandTabs | Qt::AlignLeft, s)
                  .width()
            : fm.horizontalAdvance(s);
    return {width, fm.ascent() + fm.descent()};
}

int TCanvas::DrawText(std::string_view text, TRect& r, unsigned format) {
    const QFont font = QFontOf(font_);
    const QFontMetrics fm(font);
    const QString s = DisplayQString(text, IsSymbolFont(font_.Name()));
    const bool single = format & DT_SINGLELINE;
    int flags = (format & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
    flags |= (format & DT_RIGHT)    ? Qt::AlignRight
             : (format & DT_CENTER) ? Qt::AlignHCenter
                                    : Qt::AlignLeft;
    flags |= !single                 ? Qt::AlignTop
             : (format & DT_BOTTOM)  ? Qt::AlignBottom
             : (format & DT_VCENTER) ? Qt::AlignVCenter
                                     : Qt::AlignTop;
    if (single)
        flags |= Qt::TextSingleLine;
    else if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS) // to the tab stops TextExtent measures with
        flags |= Qt::TextExpandTabs;
    if (format & DT_CALCRECT) {
        const bool wrap = !single && (format & DT_WORDBREAK);
        const QRect box = fm.boundingRect(
            QRect(r.Left, r.Top, wrap ? std::max(1, r.Width()) : 1 << 20, 1 << 20),
            (flags & ~(Qt::AlignHCenter | Qt::AlignRight | Qt::AlignVCenter | Qt::AlignBottom)) |
                Qt::AlignLeft | Qt::AlignTop,
            s);
        r.Right = r.Left + box.width();
        r.Bottom = r.Top + box.height();
        return box.height();
    }
    const QRect area = ToQRect(r);
    const int height = fm.boundingRect(area, flags, s).height();
    QPainter* p = PainterOf(*this);
    if (!p || r.Width() <= 0 || r.Height() <= 0)
        return height;
    p->save();
    TNativeCanvas::ApplyClip(*this, *p);
    ApplyFont(*p, font_);
    if (font_.Orientation() % 3600 != 0) {
        // Turned text leaves the rectangle it was laid out in: it turns about the top-left of
        // its own level box, unclipped by the rectangle and without a background.
        TurnAbout(*p, fm.boundingRect(area, flags, s).topLeft(), font_.Orientation());
    } else {
        p->setClipRect(area, Qt::IntersectClip);
        if (brush_.Style != TBrushStyle::bsClear)
            p->fillRect(fm.boundingRect(area, flags, s).intersected(area), ToQColor(brush_.Color));
    }
    p->setPen(ToQColor(font_.Color()));
    p->drawText(area, flags, s);
    p->restore();
    return height;
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    QPainter* p = PainterOf(*this);
    if (!p || points.empty())
        return;
    if (brush_.Style != TBrushStyle::bsClear && points.size() > 2)
        FillPolygon(*p, brush_.Color, points);
    if (pen_.Style == TPenStyle::psClear)
        return;
    if (pen_.Width <= 1) {
        // Every edge leaves out its end point, which the next edge starts on.
        for (std::size_t i = 0; i < points.size(); ++i) {
            const TPoint a = points[i], b = points[(i + 1) % points.size()];
            if (a == b)
                p->fillRect(a.X, a.Y, 1, 1, ToQColor(pen_.Color));
            else
                DrawPenPixels(*p, pen_, a.X, a.Y, b.X, b.Y);
        }
        return;
    }
    QPolygon outline;
    for (const TPoint& pt : points)
        outline.append(QPoint(pt.X, pt.Y));
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setPen(QPen(ToQColor(pen_.Color), pen_.Width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p->setBrush(Qt::NoBrush);
    p->drawPolygon(outline);
    p->restore();
}

void TCanvas::Ellipse(const TRect& r) {
    QPainter* p = PainterOf(*this);
    if (!p || r.Width() <= 0 || r.Height() <= 0)
        return;
    const bool pen = pen_.Style != TPenStyle::psClear;
    const bool fill = brush_.Style != TBrushStyle::bsClear;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setBrush(fill ? QBrush(ToQColor(brush_.Color)) : QBrush(Qt::NoBrush));
    if (pen) {
        QPen qpen(ToQColor(pen_.Color), pen_.Width <= 1 ? 0 : pen_.Width);
        if (pen_.Style == TPenStyle::psDot)
            qpen.setStyle(Qt::DotLine);
        p->setPen(qpen);
    } else {
        p->setPen(Qt::NoPen);
    }
    // An aliased outline covers its rectangle's right and bottom edge, so the rectangle is one
    // pixel smaller than GDI's; without a pen GDI fills one pixel less as well.
    p->drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    p->restore();
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect) {
    if (dest.Width() <= 0 || dest.Height() <= 0 || sourceRect.Width() <= 0 ||
        sourceRect.Height() <= 0)
        return;
    // Reading the source ends its painter; reading our own bitmap needs a copy first.
    const QImage& image = ImageOf(source);
    const QImage own = bitmap_ == &source ? image.copy(ToQRect(sourceRect)) : QImage();
    QPainter* p = PainterOf(*this);
    if (!p)
        return;
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_Source); // a block copy, alpha and all
    if (own.isNull())
        p->drawImage(ToQRect(dest), image, ToQRect(sourceRect));
    else
        p->drawImage(ToQRect(dest), own);
    p->restore();
}

void TCanvas::SetClipRect(const TRect& r) {
    clip_ = r;
    clipped_ = true;
    if (QPainter* p = PainterOf(*this))
        TNativeCanvas::ApplyClip(*this, *p);
}

void TCanvas::ResetClip() {
    clipped_ = false;
    if (QPainter* p = PainterOf(*this))
        p->setClipping(false);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    const QImage& image = ImageOf(bitmap);
    if (QPainter* p = PainterOf(*this))
        p->drawImage(QPoint(x, y), image);
}

TColor TCanvas::Pixel(int x, int y) const {
    if (bitmap_)
        return bitmap_->Pixel(x, y);
    QPainter* p = native_->painter;
    if (p && p->device() && p->device()->devType() == QInternal::Image) {
        const auto* image = static_cast<const QImage*>(p->device());
        if (image->valid(x, y))
            return FromQRgb(image->pixel(x, y));
    }
    return 0xFFFFFFFF; // GDI's CLR_INVALID
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (QPainter* p = PainterOf(*this))
        p->fillRect(x, y, 1, 1, ToQColor(color));
}

// --- TBitmap ---------------------------------------------------------------------------------

struct TBitmap::Impl {
    QImage image;
    std::unique_ptr<QPainter> painter;
    TCanvas canvas;

    void EndPaint() {
        if (painter) {
            painter->end();
            painter.reset();
        }
    }
};

TBitmap::TBitmap() : impl_(std::make_unique<Impl>()) {
    impl_->canvas.bitmap_ = this;
}

TBitmap::TBitmap(int width, int height) : TBitmap() {
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    impl_->EndPaint();
}

int TBitmap::Width() const {
    return impl_->image.width();
}
int TBitmap::Height() const {
    return impl_->image.height();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height())
        return;
    impl_->EndPaint();
    QImage resized;
    if (width > 0 && height > 0) {
        // A new bitmap is white; what was drawn before stays at the top left.
        resized = QImage(width, height, QImage::Format_ARGB32);
        resized.fill(Qt::white);
        if (!impl_->image.isNull()) {
            QPainter p(&resized);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, impl_->image);
        }
    }
    impl_->image = std::move(resized);
}

TCanvas& TBitmap::Canvas() {
    return impl_->canvas;
}

QPainter* TNativeBitmap::Painter(const TBitmap& bitmap) {
    TBitmap::Impl& impl = *bitmap.impl_;
    if (impl.image.isNull())
        return nullptr;
    if (!impl.painter) {
        // The painter ends whenever the image is read: a new one takes the canvas's clip.
        impl.painter = std::make_unique<QPainter>(&impl.image);
        impl.painter->setRenderHint(QPainter::Antialiasing, false);
        impl.painter->setRenderHint(QPainter::TextAntialiasing, true);
        TNativeCanvas::ApplyClip(impl.canvas, *impl.painter);
    }
    return impl.painter.get();
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
    const QImage& image = ImageOf(*this);
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return {bytes.begin(), bytes.end()};
}

TColor TBitmap::Pixel(int x, int y) const {
    // The raster painter writes straight into the image, so reading needs no flush.
    if (!impl_->image.valid(x, y))
        return 0xFFFFFFFF;
    return FromQRgb(impl_->image.pixel(x, y));
}

const QImage& TNativeBitmap::Image(const TBitmap& bitmap) {
    bitmap.impl_->EndPaint();
    return bitmap.impl_->image;
}
