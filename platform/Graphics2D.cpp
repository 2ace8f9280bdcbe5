#include "platform/Graphics2D.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "platform/Graphics.h"
#include "platform/qt/Native.h"

namespace {

// Pictures beyond this many pixels are refused before decoding (GDI+ would run out of memory).
constexpr qint64 kMaxImagePixels = 64LL * 1024 * 1024;

QColor FromArgb(std::uint32_t argb) {
    return QColor::fromRgba(static_cast<QRgb>(argb));
}

QRectF ToQRectF(const TRectF& r) {
    return QRectF(r.X, r.Y, r.Width, r.Height);
}

} // namespace

// --- TPath2D ---------------------------------------------------------------------------------

struct TPath2D::Impl {
    QPainterPath path;
    bool figureOpen = false; // a new line or arc joins the open figure with a straight line

    void JoinOrStart(QPointF p) {
        if (figureOpen)
            path.lineTo(p);
        else
            path.moveTo(p);
        figureOpen = true;
    }
};

// The platform's own access to the Qt objects behind the public classes.
struct TGraphics2DAccess {
    using BrushImpl = TBrush2D::Impl;
    static const QPainterPath& Path(const TPath2D& p) { return p.impl_->path; }
    static const BrushImpl& Brush(const TBrush2D& b) { return *b.impl_; }
    static const QImage& Image(const TImage2D& i);
    static const QFont& Font(const TFont2D& f);
};

TPath2D::TPath2D() : impl_(std::make_unique<Impl>()) {}
TPath2D::~TPath2D() = default;
TPath2D::TPath2D(const TPath2D& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}
TPath2D& TPath2D::operator=(const TPath2D& other) {
    *impl_ = *other.impl_;
    return *this;
}

void TPath2D::AddLine(float x1, float y1, float x2, float y2) {
    impl_->JoinOrStart(QPointF(x1, y1));
    impl_->path.lineTo(x2, y2);
}

void TPath2D::AddArc(float x, float y, float width, float height, float startAngle,
                     float sweepAngle) {
    // Qt's angles run counter-clockwise on screen, GDI+'s clockwise.
    const QRectF box(x, y, width, height);
    QPainterPath probe;
    probe.arcMoveTo(box, -startAngle);
    impl_->JoinOrStart(probe.currentPosition());
    impl_->path.arcTo(box, -startAngle, -sweepAngle);
}

void TPath2D::AddEllipse(float x, float y, float width, float height) {
    impl_->path.addEllipse(QRectF(x, y, width, height));
    impl_->figureOpen = false;
}

void TPath2D::CloseFigure() {
    if (impl_->figureOpen)
        impl_->path.closeSubpath();
    impl_->figureOpen = false;
}

int TPath2D::PointCount() const {
    return impl_->path.elementCount();
}

// --- TBrush2D --------------------------------------------------------------------------------

struct TBrush2D::Impl {
    enum class Kind { Solid, Linear, Path } kind = Kind::Solid;
    QColor color;
    // Linear.
    TRectF rect;
    QColor color1, color2;
    TLinearGradientMode mode = TLinearGradientMode::Horizontal;
    // Path gradient.
    QPainterPath path;
    int pointCount = 0;
    QPointF center;
    QColor centerColor = Qt::white;
    QColor surroundColor = Qt::white;

    QBrush ToQBrush() const {
        switch (kind) {
        case Kind::Solid:
            return QBrush(color);
        case Kind::Linear: {
            // Built on the unit square and stretched onto the rectangle: a diagonal ramp then
            // runs corner to corner with its bands parallel to the other diagonal, as GDI+'s
            // scalable angle gives it.
            QLinearGradient g;
            switch (mode) {
            case TLinearGradientMode::Horizontal:
                g = QLinearGradient(0, 0, 1, 0);
                break;
            case TLinearGradientMode::Vertical:
                g = QLinearGradient(0, 0, 0, 1);
                break;
            case TLinearGradientMode::ForwardDiagonal:
                g = QLinearGradient(0, 0, 1, 1);
                break;
            case TLinearGradientMode::BackwardDiagonal:
                g = QLinearGradient(1, 0, 0, 1);
                break;
            }
            g.setColorAt(0, color1);
            g.setColorAt(1, color2);
            g.setSpread(QGradient::RepeatSpread); // GDI+'s WrapModeTile
            QBrush brush(g);
            QTransform t;
            t.translate(rect.X, rect.Y);
            t.scale(std::max(rect.Width, 1e-6f), std::max(rect.Height, 1e-6f));
            brush.setTransform(t);
            return brush;
        }
        case Kind::Path: {
            // Over an ellipse, GDI+'s path gradient is a focal radial gradient: the unit
            // circle with its focus at the centre point, mapped onto the ellipse's bounds.
            // Other paths take the same mapping of their bounds.
            const QRectF b = path.boundingRect();
            const qreal rx = std::max<qreal>(b.width() / 2, 1e-6);
            const qreal ry = std::max<qreal>(b.height() / 2, 1e-6);
            QPointF focal((center.x() - b.center().x()) / rx, (center.y() - b.center().y()) / ry);
            const qreal len = std::hypot(focal.x(), focal.y());
            if (len > 0.999)
                focal *= 0.999 / len;
            QRadialGradient g(QPointF(0, 0), 1.0, focal);
            g.setColorAt(0, centerColor);
            g.setColorAt(1, surroundColor);
            QBrush brush(g);
            QTransform t;
            t.translate(b.center().x(), b.center().y());
            t.scale(rx, ry);
            brush.setTransform(t);
            return brush;
        }
        }
        return QBrush();
    }
};

TBrush2D::TBrush2D(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TBrush2D::TBrush2D(const TBrush2D& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}
TBrush2D& TBrush2D::operator=(const TBrush2D& other) {
    *impl_ = *other.impl_;
    return *this;
}
TBrush2D::~TBrush2D() = default;

TBrush2D TBrush2D::Solid(std::uint32_t argb) {
    auto impl = std::make_unique<Impl>();
    impl->color = FromArgb(argb);
    return TBrush2D(std::move(impl));
}

TBrush2D TBrush2D::Linear(const TRectF& rect, std::uint32_t color1, std::uint32_t color2,
                          TLinearGradientMode mode) {
    auto impl = std::make_unique<Impl>();
    impl->kind = Impl::Kind::Linear;
    impl->rect = rect;
    impl->color1 = FromArgb(color1);
    impl->color2 = FromArgb(color2);
    impl->mode = mode;
    return TBrush2D(std::move(impl));
}

TBrush2D TBrush2D::PathGradient(const TPath2D& path) {
    auto impl = std::make_unique<Impl>();
    impl->kind = Impl::Kind::Path;
    impl->path = TGraphics2DAccess::Path(path);
    impl->pointCount = path.PointCount();
    impl->center = impl->path.boundingRect().center();
    return TBrush2D(std::move(impl));
}

bool TBrush2D::IsPathGradient() const {
    return impl_->kind == Impl::Kind::Path;
}

TGraphicsStatus TBrush2D::SetCenterPoint(int x, int y) {
    if (!IsPathGradient())
        return TGraphicsStatus::InvalidParameter;
    impl_->center = QPointF(x, y);
    return TGraphicsStatus::Ok;
}

TGraphicsStatus TBrush2D::SetCenterColor(std::uint32_t argb) {
    if (!IsPathGradient())
        return TGraphicsStatus::InvalidParameter;
    impl_->centerColor = FromArgb(argb);
    return TGraphicsStatus::Ok;
}

int TBrush2D::PointCount() const {
    return IsPathGradient() ? impl_->pointCount : 0;
}

TGraphicsStatus TBrush2D::SetSurroundColors(std::span<const std::uint32_t> colors) {
    if (!IsPathGradient() || colors.empty() ||
        colors.size() > static_cast<std::size_t>(impl_->pointCount))
        return TGraphicsStatus::InvalidParameter;
    impl_->surroundColor = FromArgb(colors.front());
    return TGraphicsStatus::Ok;
}

// --- TImage2D --------------------------------------------------------------------------------

struct TImage2D::Impl {
    QImage image;
    TImageFormat format = TImageFormat::Unknown;
};

const QImage& TGraphics2DAccess::Image(const TImage2D& i) {
    return i.impl_->image;
}

TImage2D::TImage2D() : impl_(std::make_unique<Impl>()) {}
TImage2D::~TImage2D() = default;
TImage2D::TImage2D(const TImage2D& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}
TImage2D& TImage2D::operator=(const TImage2D& other) {
    *impl_ = *other.impl_;
    return *this;
}

namespace {

// Decoders report damaged files as warnings on stderr; a picture that does not decode is
// reported by its status instead, so their warnings are dropped while one decodes.
class QuietDecoders {
public:
    QuietDecoders() : previous_(qInstallMessageHandler(&Filter)) { active_ = previous_; }
    ~QuietDecoders() { qInstallMessageHandler(previous_); }
    QuietDecoders(const QuietDecoders&) = delete;
    QuietDecoders& operator=(const QuietDecoders&) = delete;

private:
    static void Filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg)
            return;
        if (active_)
            active_(type, context, text);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
    }

    QtMessageHandler previous_;
    static inline QtMessageHandler active_ = nullptr;
};

TImageFormat FormatNamed(const QByteArray& name) {
    if (name == "bmp" || name == "dib")
        return TImageFormat::BMP;
    if (name == "png")
        return TImageFormat::PNG;
    if (name == "jpeg" || name == "jpg")
        return TImageFormat::JPEG;
    if (name == "gif")
        return TImageFormat::GIF;
    if (name == "ico" || name == "cur")
        return TImageFormat::Icon;
    if (name == "tif" || name == "tiff")
        return TImageFormat::TIFF;
    return TImageFormat::Unknown;
}

} // namespace

TGraphicsStatus TImage2D::Decode(std::span<const std::uint8_t> bytes, TImage2D& image) {
    image.impl_->image = QImage();
    image.impl_->format = TImageFormat::Unknown;
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return TGraphicsStatus::UnknownImageFormat;
    const QuietDecoders quiet;
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const TImageFormat format = FormatNamed(reader.format());
    if (format == TImageFormat::Unknown || !reader.canRead())
        return TGraphicsStatus::UnknownImageFormat;
    QSize size = reader.size();
    if (format == TImageFormat::GIF && bytes.size() >= 10) {
        // A GIF is decoded onto its logical screen, which the reader's size (the first
        // frame's) does not tell.
        const QSize screen(bytes[6] | bytes[7] << 8, bytes[8] | bytes[9] << 8);
        size = size.isValid() ? size.expandedTo(screen) : screen;
    }
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > kMaxImagePixels)
        return TGraphicsStatus::OutOfMemory;
    // Our own limit above decides what is too large; the reader's smaller default would
    // refuse valid pictures within it as damaged ones.
    reader.setAllocationLimit(static_cast<int>(kMaxImagePixels * 4 / (1024 * 1024)) + 1);
    QImage decoded;
    // Sizes past the limit are refused above, so a read that fails here is damaged data.
    if (!reader.read(&decoded) || decoded.isNull())
        return TGraphicsStatus::UnknownImageFormat;
    image.impl_->image = decoded.convertToFormat(QImage::Format_ARGB32);
    image.impl_->format = format;
    return TGraphicsStatus::Ok;
}

TGraphicsStatus TImage2D::Create(int width, int height, TImage2D& image) {
    image.impl_->image = QImage();
    image.impl_->format = TImageFormat::Unknown;
    if (width <= 0 || height <= 0)
        return TGraphicsStatus::InvalidParameter;
    if (static_cast<qint64>(width) * height > kMaxImagePixels)
        return TGraphicsStatus::OutOfMemory;
    QImage created(width, height, QImage::Format_ARGB32);
    if (created.isNull())
        return TGraphicsStatus::OutOfMemory;
    created.fill(Qt::transparent);
    image.impl_->image = std::move(created);
    image.impl_->format = TImageFormat::MemoryBMP;
    return TGraphicsStatus::Ok;
}

bool TImage2D::IsEmpty() const {
    return impl_->image.isNull();
}
int TImage2D::Width() const {
    return impl_->image.width();
}
int TImage2D::Height() const {
    return impl_->image.height();
}
TImageFormat TImage2D::Format() const {
    return impl_->format;
}

TGraphicsStatus TImage2D::Pixel(int x, int y, std::uint32_t& argb) const {
    if (!impl_->image.valid(x, y))
        return TGraphicsStatus::InvalidParameter;
    argb = impl_->image.pixel(x, y);
    return TGraphicsStatus::Ok;
}

TGraphicsStatus TImage2D::SetPixel(int x, int y, std::uint32_t argb) {
    if (!impl_->image.valid(x, y))
        return TGraphicsStatus::InvalidParameter;
    impl_->image.setPixel(x, y, argb);
    return TGraphicsStatus::Ok;
}

TGraphicsStatus TImage2D::RotateFlip(TRotateFlip type) {
    const int t = static_cast<int>(type);
    if (t < 0 || t > 7)
        return TGraphicsStatus::InvalidParameter;
    if (impl_->image.isNull())
        return TGraphicsStatus::InvalidParameter;
    QImage& img = impl_->image;
    if (const int quarters = t & 3)
        img = img.transformed(QTransform().rotate(90.0 * quarters)); // clockwise on screen
    if (t & 4)
        img = img.mirrored(/*horizontal=*/true, /*vertical=*/false);
    return TGraphicsStatus::Ok;
}

// --- TFont2D ---------------------------------------------------------------------------------

struct TFont2D::Impl {
    QFont font;
};

const QFont& TGraphics2DAccess::Font(const TFont2D& f) {
    return f.impl_->font;
}

TFont2D::TFont2D(std::string_view family, float emSizePoints, int style)
    : impl_(std::make_unique<Impl>()) {
    QFont& f = impl_->font;
    f.setFamily(QString::fromStdString(SubstituteFontFamily(family)));
    f.setStyleHint(QFont::AnyStyle, QFont::PreferMatch);
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(emSizePoints * 96.0 / 72.0))));
    f.setBold(style & 1);
    f.setItalic(style & 2);
    f.setUnderline(style & 4);
    f.setStrikeOut(style & 8);
}
TFont2D::~TFont2D() = default;
TFont2D::TFont2D(const TFont2D& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}
TFont2D& TFont2D::operator=(const TFont2D& other) {
    *impl_ = *other.impl_;
    return *this;
}

TGraphicsStatus TFont2D::FindFamily(std::string_view family) {
    const QString name = QString::fromStdString(SubstituteFontFamily(family));
    return !name.isEmpty() && QFontDatabase::hasFamily(name) ? TGraphicsStatus::Ok
                                                             : TGraphicsStatus::FontFamilyNotFound;
}

bool TFont2D::IsOutlineFamily(std::string_view family) {
    const QString name = QString::fromStdString(SubstituteFontFamily(family));
    return FindFamily(family) == TGraphicsStatus::Ok &&
           QFontDatabase::isSmoothlyScalable(name, QString());
}

// --- TGraphics2D -----------------------------------------------------------------------------

struct TGraphics2D::Impl {
    TCanvas& canvas;
    bool antiAlias = false;
    TTextRendering textRendering = TTextRendering::SystemDefault;

    // The canvas's painter, saved, clipped as the canvas is, with our hints; restored by End.
    // Shapes with smoothing on move by half a pixel so integer coordinates are pixel centres.
    QPainter* Begin(bool shape) const {
        QPainter* p = PainterOf(canvas);
        if (!p)
            return nullptr;
        p->save();
        TNativeCanvas::ApplyClip(canvas, *p);
        p->setRenderHint(QPainter::Antialiasing, antiAlias);
        if (textRendering == TTextRendering::AntiAlias ||
            textRendering == TTextRendering::ClearTypeGridFit ||
            textRendering == TTextRendering::AntiAliasGridFit)
            p->setRenderHint(QPainter::TextAntialiasing, true);
        if (shape && antiAlias)
            p->translate(0.5, 0.5);
        return p;
    }
};

TGraphics2D::TGraphics2D(TCanvas& canvas) : impl_(std::make_unique<Impl>(Impl{canvas})) {}
TGraphics2D::~TGraphics2D() = default;

TGraphicsStatus TGraphics2D::Status() const {
    return PainterOf(impl_->canvas) ? TGraphicsStatus::Ok : TGraphicsStatus::InvalidParameter;
}

void TGraphics2D::SetSmoothing(bool antiAlias) {
    impl_->antiAlias = antiAlias;
}

void TGraphics2D::SetTextRendering(TTextRendering hint) {
    impl_->textRendering = hint;
}

namespace {

QPen ToQPen(const TPen2D& pen) {
    QPen q(FromArgb(pen.Color), pen.Width);
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    if (pen.DashStyle == TDashStyle::Dot) {
        // GDI+'s dot: one width on, one off. Square dots of no length centred on every
        // other point of the grid fall on whole pixels.
        q.setCapStyle(Qt::SquareCap);
        q.setDashPattern({1e-3, 2.0 - 1e-3});
    } else if (pen.DashStyle == TDashStyle::Dash)
        q.setDashPattern({3.0, 1.0});
    return q;
}

// Qt strokes pens up to a pixel wide with a thin-line rasteriser that leaves out joins and
// caps; GDI+ joins and caps every pen, so the outline is built as a shape and filled.
void Stroke(QPainter& p, const TPen2D& pen, const QPainterPath& path) {
    const QPen q = ToQPen(pen);
    QPainterPathStroker stroker(q);
    p.fillPath(stroker.createStroke(path), q.brush());
}

// Fills `shape` with the brush; a path gradient paints inside its own path only.
void FillShape(QPainter& p, const TGraphics2DAccess::BrushImpl& brush, const QPainterPath& shape) {
    if (brush.kind == TGraphics2DAccess::BrushImpl::Kind::Path)
        p.fillPath(shape.intersected(brush.path), brush.ToQBrush());
    else
        p.fillPath(shape, brush.ToQBrush());
}

} // namespace

TGraphicsStatus TGraphics2D::FillRectangle(const TBrush2D& brush, const TRectF& rect) {
    if (rect.Width < 0 || rect.Height < 0)
        return TGraphicsStatus::InvalidParameter;
    QPainter* p = impl_->Begin(true);
    if (!p)
        return TGraphicsStatus::InvalidParameter;
    QPainterPath shape;
    shape.addRect(ToQRectF(rect));
    FillShape(*p, TGraphics2DAccess::Brush(brush), shape);
    p->restore();
    return TGraphicsStatus::Ok;
}

TGraphicsStatus TGraphics2D::DrawRectangle(const TPen2D& pen, const TRectF& rect) {
    QPainter* p = impl_->Begin(true);
    if (!p)
        return TGraphicsStatus::InvalidParameter;
    QPainterPath outline;
    outline.addRect(ToQRectF(rect));
    Stroke(*p, pen, outline);
    p->restore();
    return TGraphicsStatus::Ok;
}

TGraphicsStatus TGraphics2D::FillPath(const TBrush2D& brush, const TPath2D& path) {
    QPainter* p = impl_->Begin(true);
    if (!p)
        return TGraphicsStatus::InvalidParameter;
    FillShape(*p, TGraphics2DAccess::Brush(brush), TGraphics2DAccess::Path(path));
    p->restore();
    return TGraphicsStatus::Ok;
}

TGraphicsStatus TGraphics2D::DrawPath(const TPen2D& pen, const TPath2D& path) {
    QPainter* p = impl_->Begin(true);
    if (!p)
        return TGraphicsStatus::InvalidParameter;
    Stroke(*p, pen, TGraphics2DAccess::Path(path));
    p->restore();
    return TGraphicsStatus::Ok;
}

namespace {

int TextFlags(const TStringFormat2D& format) {
    int flags = 0;
    switch (format.Align) {
    case TStringAlignment::Near:
        flags |= Qt::AlignLeft;
        break;
    case TStringAlignment::Center:
        flags |= Qt::AlignHCenter;
        break;
    case TStringAlignment::Far:
        flags |= Qt::AlignRight;
        break;
    }
    switch (format.LineAlign) {
    case TStringAlignment::Near:
        flags |= Qt::AlignTop;
        break;
    case TStringAlignment::Center:
        flags |= Qt::AlignVCenter;
        break;
    case TStringAlignment::Far:
        flags |= Qt::AlignBottom;
        break;
    }
    // No wrap still breaks at the text's own line feeds, as GDI+ does; only word breaks go.
    if (!format.NoWrap)
        flags |= Qt::TextWordWrap;
    if (format.HotkeyPrefix == THotkeyPrefix::Show)
        flags |= Qt::TextShowMnemonic;
    else if (format.HotkeyPrefix == THotkeyPrefix::Hide)
        flags |= Qt::TextHideMnemonic;
    return flags;
}

// The text as it is laid out: a single line too wide for its box loses its end (or its middle,
// for a path) to an ellipsis when the trimming asks for one.
QString TrimmedText(std::u16string_view text, const QFont& font, const TRectF& layout,
                    const TStringFormat2D& format) {
    QString s = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    const bool ellipsis = format.Trimming == TStringTrimming::EllipsisCharacter ||
                          format.Trimming == TStringTrimming::EllipsisWord ||
                          format.Trimming == TStringTrimming::EllipsisPath;
    if (ellipsis && format.NoWrap && layout.Width > 0) {
        const QFontMetricsF fm(font);
        const Qt::TextElideMode mode =
            format.Trimming == TStringTrimming::EllipsisPath ? Qt::ElideMiddle : Qt::ElideRight;
        s = fm.elidedText(s, mode, layout.Width, TextFlags(format));
    }
    return s;
}

} // namespace

TGraphicsStatus TGraphics2D::MeasureString(std::u16string_view text, const TFont2D& font,
                                           const TRectF& layout, const TStringFormat2D& format,
                                           TRectF& bounds) {
    const QFont& f = TGraphics2DAccess::Font(font);
    const QFontMetricsF fm(f);
    const QString s = TrimmedText(text, f, layout, format);
    const QRectF box = text.empty() ? QRectF(layout.X, layout.Y, 0, fm.height())
                                    : fm.boundingRect(ToQRectF(layout), TextFlags(format), s);
    bounds = {static_cast<float>(box.x()), static_cast<float>(box.y()),
              static_cast<float>(box.width()), static_cast<float>(box.height())};
    return TGraphicsStatus::Ok;
}

TGraphicsStatus TGraphics2D::DrawString(std::u16string_view text, const TFont2D& font,
                                        const TRectF& layout, const TStringFormat2D& format,
                                        const TBrush2D& brush) {
    QPainter* p = impl_->Begin(false);
    if (!p)
        return TGraphicsStatus::InvalidParameter;
    const QFont& f = TGraphics2DAccess::Font(font);
    p->setFont(f);
    p->setPen(QPen(TGraphics2DAccess::Brush(brush).ToQBrush(), 1.0));
    const QRectF box = ToQRectF(layout);
    if (layout.Width > 0 && layout.Height > 0)
        p->setClipRect(box, Qt::IntersectClip); // GDI+ clips text to its layout box
    p->drawText(box, TextFlags(format), TrimmedText(text, f, layout, format));
    p->restore();
    return TGraphicsStatus::Ok;
}

TGraphicsStatus TGraphics2D::DrawImage(const TImage2D& image, const TRectF& dest) {
    return DrawImage(
        image, dest,
        TRectF{0, 0, static_cast<float>(image.Width()), static_cast<float>(image.Height())}, false,
        0, 0);
}

TGraphicsStatus TGraphics2D::DrawImage(const TImage2D& image, const TRectF& dest,
                                       const TRectF& source, bool colorKey, std::uint32_t keyLow,
                                       std::uint32_t keyHigh) {
    if (image.IsEmpty())
        return TGraphicsStatus::InvalidParameter;
    QPainter* p = impl_->Begin(false);
    if (!p)
        return TGraphicsStatus::InvalidParameter;
    const QImage& original = TGraphics2DAccess::Image(image);
    QImage picture;
    QRectF from = ToQRectF(source);
    if (colorKey) {
        picture = original.copy(from.toAlignedRect()).convertToFormat(QImage::Format_ARGB32);
        from = QRectF(0, 0, picture.width(), picture.height());
        auto inRange = [](QRgb c, std::uint32_t low, std::uint32_t high) {
            for (int shift = 0; shift < 32; shift += 8) {
                const unsigned v = (c >> shift) & 0xFF;
                if (v < ((low >> shift) & 0xFF) || v > ((high >> shift) & 0xFF))
                    return false;
            }
            return true;
        };
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                if (inRange(line[x], keyLow, keyHigh))
                    line[x] = 0;
        }
    }
    const QRectF to = ToQRectF(dest);
    // A colour key marks exact pixels: keyed pictures scale by the nearest pixel, so the key
    // colour never blends back in at their edges.
    p->setRenderHint(QPainter::SmoothPixmapTransform, !colorKey && to.size() != from.size());
    p->drawImage(to, colorKey ? picture : original, from);
    p->restore();
    return TGraphicsStatus::Ok;
}
