// The 2D graphics layer against GDI+'s results: brushes, pens, paths, images and text.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <cstdlib>
#include <functional>
#include <iterator>
#include <vector>

#include "BitmapProbe.h"
#include "platform/Graphics.h"
#include "platform/Graphics2D.h"

namespace {

constexpr TColor kUnpainted = 0x13579B;

void Prefill(TBitmap& b, int w, int h) {
    b.SetSize(w, h);
    b.Canvas().Brush().Color = kUnpainted;
    b.Canvas().FillRect(Rect(0, 0, w, h));
}

int Red(TColor c) {
    return static_cast<int>(c & 0xFF);
}
int Blue(TColor c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

std::vector<std::uint8_t> Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return {bytes.begin(), bytes.end()};
}

// A 1 x 1 GIF (Qt writes no GIFs).
const std::vector<std::uint8_t> kGif = {
    'G',  'I',  'F',  '8',  '9',  'a',  0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0xFF,
    0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
    0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

std::uint32_t Crc32(const std::uint8_t* data, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

// A PNG whose header claims `size` x `size` pixels, with a valid header checksum.
std::vector<std::uint8_t> PngClaiming(std::uint32_t size) {
    std::vector<std::uint8_t> png = Encoded(QImage(1, 1, QImage::Format_RGB32), "PNG");
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
        png[20 + i] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
    }
    const std::uint32_t crc = Crc32(&png[12], 17);
    for (int i = 0; i < 4; ++i)
        png[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    return png;
}

} // namespace

TEST(Graphics2D, PathGradientOverAnEllipseRunsFromItsCentrePointToTheEdgeAndStaysInside) {
    TBitmap b;
    Prefill(b, 41, 21);
    {
        TGraphics2D g(b.Canvas());
        ASSERT_EQ(g.Status(), TGraphicsStatus::Ok);
        TPath2D ellipse;
        ellipse.AddEllipse(0, 0, 41, 21);
        TBrush2D brush = TBrush2D::PathGradient(ellipse);
        EXPECT_EQ(brush.PointCount(), 13);
        // The centre point off the middle: the focus moves there.
        EXPECT_EQ(brush.SetCenterPoint(10, 10), TGraphicsStatus::Ok);
        EXPECT_EQ(brush.SetCenterColor(0xFFFF0000), TGraphicsStatus::Ok);
        const std::uint32_t surround[] = {0xFF0000FF};
        EXPECT_EQ(brush.SetSurroundColors(surround), TGraphicsStatus::Ok);
        // Too many colours, none, or another kind of brush: refused.
        const std::vector<std::uint32_t> many(14, 0xFF00FF00);
        EXPECT_EQ(brush.SetSurroundColors(many), TGraphicsStatus::InvalidParameter);
        EXPECT_EQ(brush.SetSurroundColors({}), TGraphicsStatus::InvalidParameter);
        TBrush2D solid = TBrush2D::Solid(0xFF000000);
        EXPECT_EQ(solid.SetSurroundColors(surround), TGraphicsStatus::InvalidParameter);
        EXPECT_EQ(g.FillRectangle(brush, {0, 0, 41, 21}), TGraphicsStatus::Ok);
    }
    // Red at the centre point, fading to blue towards the right edge of the ellipse.
    EXPECT_GE(Red(b.Pixel(10, 10)), 240);
    EXPECT_LE(Blue(b.Pixel(10, 10)), 15);
    EXPECT_GT(Red(b.Pixel(20, 10)), Red(b.Pixel(30, 10)));
    EXPECT_GE(Blue(b.Pixel(39, 10)), 200);
    // The ellipse's centre is not the brightest point any more.
    EXPECT_GT(Red(b.Pixel(10, 10)), Red(b.Pixel(20, 10)) + 40);
    // Corners of the rectangle lie outside the ellipse: not painted at all.
    EXPECT_EQ(b.Pixel(0, 0), kUnpainted);
    EXPECT_EQ(b.Pixel(40, 20), kUnpainted);
}

TEST(Graphics2D, LinearGradientsRunFromTheFirstColourAndTile) {
    TBitmap b;
    Prefill(b, 10, 30);
    {
        TGraphics2D g(b.Canvas());
        // Vertical over rows 0-9 of a 30-row fill: the ramp repeats below.
        TBrush2D brush =
            TBrush2D::Linear({0, 0, 10, 10}, 0xFFFF0000, 0xFF0000FF, TLinearGradientMode::Vertical);
        g.FillRectangle(brush, {0, 0, 10, 30});
    }
    EXPECT_GE(Red(b.Pixel(5, 0)), 220);
    EXPECT_GE(Blue(b.Pixel(5, 9)), 200);
    for (int y = 1; y < 10; ++y)
        EXPECT_LE(Red(b.Pixel(5, y)), Red(b.Pixel(5, y - 1))) << y;
    // The next tile starts over (within a level of the gradient's colour table).
    EXPECT_NEAR(Red(b.Pixel(5, 10)), Red(b.Pixel(5, 0)), 2);
    EXPECT_NEAR(Blue(b.Pixel(5, 19)), Blue(b.Pixel(5, 9)), 2);
    EXPECT_EQ(Count(b, kUnpainted), 0);
}

TEST(Graphics2D, HorizontalAndDiagonalGradientsRunAcrossTheirRectangle) {
    TBitmap across;
    Prefill(across, 20, 3);
    TBitmap b;
    Prefill(b, 40, 10);
    {
        TGraphics2D g(across.Canvas());
        g.FillRectangle(TBrush2D::Linear({0, 0, 20, 3}, 0xFFFF0000, 0xFF0000FF,
                                         TLinearGradientMode::Horizontal),
                        {0, 0, 20, 3});
        TGraphics2D gb(b.Canvas());
        gb.FillRectangle(TBrush2D::Linear({0, 0, 40, 10}, 0xFFFF0000, 0xFF0000FF,
                                          TLinearGradientMode::ForwardDiagonal),
                         {0, 0, 40, 10});
    }
    EXPECT_GE(Red(across.Pixel(0, 1)), 240);
    EXPECT_GE(Blue(across.Pixel(19, 1)), 230);
    EXPECT_EQ(across.Pixel(10, 0), across.Pixel(10, 2));
    EXPECT_GE(Red(b.Pixel(0, 0)), 240);
    EXPECT_GE(Blue(b.Pixel(39, 9)), 240);
    {
        TGraphics2D g(across.Canvas());
        g.FillRectangle(TBrush2D::Linear({0, 0, 20, 3}, 0xFFFF0000, 0xFF0000FF,
                                         TLinearGradientMode::BackwardDiagonal),
                        {0, 0, 20, 3});
    }
    EXPECT_GE(Red(across.Pixel(19, 0)), 200); // from the top-right corner
    EXPECT_GE(Blue(across.Pixel(0, 2)), 200);
    // The other two corners are both half way.
    EXPECT_NEAR(Red(b.Pixel(39, 0)), Red(b.Pixel(0, 9)), 12);
    EXPECT_NEAR(Red(b.Pixel(39, 0)), 128, 20);
}

TEST(Graphics2D, OutlinesWithSmoothingLieOnTheirPixelsAndDotsAlternate) {
    TBitmap b;
    Prefill(b, 12, 8);
    {
        TGraphics2D g(b.Canvas());
        g.SetSmoothing(true);
        TPen2D pen{0xFF000000, 1.0f, TDashStyle::Solid};
        EXPECT_EQ(g.DrawRectangle(pen, {1, 1, 10, 5}), TGraphicsStatus::Ok);
        TPath2D line;
        line.AddLine(0, 7, 12, 7);
        pen.DashStyle = TDashStyle::Dot;
        EXPECT_EQ(g.DrawPath(pen, line), TGraphicsStatus::Ok);
    }
    // A 1-pixel outline at integer coordinates covers whole pixels: rows 1 and 6, columns
    // 1 and 11, black; inside untouched.
    for (int x = 1; x <= 11; ++x) {
        EXPECT_EQ(b.Pixel(x, 1), clBlack) << x;
        EXPECT_EQ(b.Pixel(x, 6), clBlack) << x;
    }
    EXPECT_EQ(b.Pixel(1, 3), clBlack);
    EXPECT_EQ(b.Pixel(11, 3), clBlack);
    EXPECT_EQ(b.Pixel(5, 3), kUnpainted);
    EXPECT_EQ(b.Pixel(0, 0), kUnpainted);
    // The dotted line: every other pixel.
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(b.Pixel(x, 7) == clBlack, x % 2 == 0) << x;
}

TEST(Graphics2D, TheCanvasDrawsAsBeforeAfterEveryCall) {
    TImage2D image;
    TImage2D::Create(2, 2, image);
    TPath2D path;
    path.AddEllipse(1, 1, 6, 6);
    const TPen2D pen{0xFF000000, 1.0f, TDashStyle::Dot};
    const TBrush2D brush = TBrush2D::Solid(0xFF000000);
    const TFont2D font("Arial", 9, 1);
    const std::function<void(TGraphics2D&)> calls[] = {
        [&](TGraphics2D& g) {
            g.FillRectangle(brush, {1, 1, 5, 5});
        },
        [&](TGraphics2D& g) {
            g.DrawRectangle(pen, {1, 1, 5, 5});
        },
        [&](TGraphics2D& g) { g.FillPath(brush, path); },
        [&](TGraphics2D& g) { g.DrawPath(pen, path); },
        [&](TGraphics2D& g) {
            g.DrawString(u"x", font, {0, 0, 9, 9}, {}, brush);
        },
        [&](TGraphics2D& g) {
            g.DrawImage(image, {0, 0, 4, 4}, {0, 0, 2, 2}, true, 0, 0);
        },
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) {
        TBitmap b;
        Prefill(b, 10, 10);
        TGraphics2D g(b.Canvas());
        g.SetSmoothing(true);
        g.SetTextRendering(TTextRendering::AntiAlias);
        calls[i](g);
        // A plain fill afterwards covers its pixels exactly: no shift, no smoothing left.
        b.Canvas().Brush().Color = kBlue;
        b.Canvas().FillRect(Rect(0, 0, 10, 3));
        b.Canvas().FillRect(Rect(0, 3, 3, 10));
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(b.Pixel(x, 2), kBlue) << i << ": " << x;
        EXPECT_EQ(b.Pixel(2, 9), kBlue) << i;
        EXPECT_NE(b.Pixel(3, 9), kBlue) << i;
        EXPECT_NE(b.Pixel(9, 3), kBlue) << i;
    }
}

TEST(Graphics2D, ArcsJoinTheirFigureAndCloseIt) {
    TBitmap b;
    Prefill(b, 20, 20);
    TBitmap alone;
    Prefill(alone, 20, 20);
    {
        // An arc that starts a figure starts where the arc does, not at the origin.
        TGraphics2D ga(alone.Canvas());
        TPath2D arc;
        arc.AddArc(10, 10, 8, 8, 0, 90);
        ga.DrawPath({0xFF000000, 1.0f, TDashStyle::Solid}, arc);
        TGraphics2D g(b.Canvas());
        // Empty and negative rectangles: nothing painted; a negative one is refused.
        const TBrush2D black = TBrush2D::Solid(0xFF000000);
        EXPECT_EQ(g.FillRectangle(black, {5, 5, 0, 0}), TGraphicsStatus::Ok);
        EXPECT_EQ(g.FillRectangle(black, {5, 5, -3, 4}), TGraphicsStatus::InvalidParameter);
        TPath2D path; // a quarter disc: centre (0, 0), radius 18, sweeping 0 to 90 degrees
        path.AddLine(0, 0, 18, 0);
        path.AddArc(-18, -18, 36, 36, 0, 90);
        path.CloseFigure();
        g.FillPath(TBrush2D::Solid(0xFF000000), path);
    }
    EXPECT_EQ(b.Pixel(2, 2), clBlack);
    EXPECT_EQ(b.Pixel(10, 10), clBlack);    // 14.1 from the centre
    EXPECT_EQ(b.Pixel(16, 16), kUnpainted); // 22.6 from the centre
    EXPECT_EQ(b.Pixel(19, 2), kUnpainted);
    const TRect arcInk = PaintedBox(alone, kUnpainted); // from (18, 14) round to (14, 18)
    EXPECT_GE(arcInk.Left, 13);
    EXPECT_GE(arcInk.Top, 13);
    EXPECT_LE(arcInk.Right, 19);
    EXPECT_LE(arcInk.Bottom, 19);
}

TEST(Graphics2D, ImagesDecodeInEveryFormatAndPixelsRotateAndFlip) {
    QImage source(3, 2, QImage::Format_RGB32);
    source.fill(QColor(0, 0, 255));
    source.setPixel(0, 1, qRgb(255, 0, 0)); // bottom-left red
    struct Case {
        const char* name;
        TImageFormat format;
    };
    TImage2D gif;
    ASSERT_EQ(TImage2D::Decode(kGif, gif), TGraphicsStatus::Ok);
    EXPECT_EQ(gif.Format(), TImageFormat::GIF);
    EXPECT_EQ(gif.Width(), 1);
    for (Case c : {Case{"BMP", TImageFormat::BMP}, Case{"PNG", TImageFormat::PNG},
                   Case{"ICO", TImageFormat::Icon}, Case{"JPEG", TImageFormat::JPEG}}) {
        TImage2D image;
        ASSERT_EQ(TImage2D::Decode(Encoded(source, c.name), image), TGraphicsStatus::Ok) << c.name;
        EXPECT_EQ(image.Format(), c.format) << c.name;
        EXPECT_EQ(image.Width(), 3) << c.name;
        EXPECT_EQ(image.Height(), 2) << c.name;
    }
    TImage2D image;
    ASSERT_EQ(TImage2D::Decode(Encoded(source, "PNG"), image), TGraphicsStatus::Ok);
    std::uint32_t argb = 0;
    EXPECT_EQ(image.Pixel(0, 1, argb), TGraphicsStatus::Ok);
    EXPECT_EQ(argb, 0xFFFF0000u);
    EXPECT_EQ(image.Pixel(3, 0, argb), TGraphicsStatus::InvalidParameter);
    EXPECT_EQ(image.SetPixel(2, 0, 0x8000FF00), TGraphicsStatus::Ok);
    // Rotate180FlipX flips top and bottom.
    EXPECT_EQ(image.RotateFlip(TRotateFlip::Rotate180FlipX), TGraphicsStatus::Ok);
    image.Pixel(0, 0, argb);
    EXPECT_EQ(argb, 0xFFFF0000u);
    image.Pixel(2, 1, argb);
    EXPECT_EQ(argb, 0x8000FF00u);
    // A quarter turn clockwise: the old bottom-left (now top-left) goes to the top-right.
    EXPECT_EQ(image.RotateFlip(TRotateFlip::Rotate90FlipNone), TGraphicsStatus::Ok);
    EXPECT_EQ(image.Width(), 2);
    image.Pixel(1, 0, argb);
    EXPECT_EQ(argb, 0xFFFF0000u);
}

TEST(Graphics2D, BrokenImageBytesFailWithAStatus) {
    QImage source(40, 40, QImage::Format_RGB32);
    source.fill(Qt::green);
    std::vector<std::uint8_t> png = Encoded(source, "PNG");
    std::vector<std::uint8_t> truncated(png.begin(), png.begin() + 60);
    // A BMP header claiming 100000 x 100000 pixels with no pixel data behind it.
    std::vector<std::uint8_t> huge = Encoded(QImage(1, 1, QImage::Format_RGB32), "BMP");
    huge.resize(54);
    huge[18] = 0xA0, huge[19] = 0x86, huge[20] = 0x01, huge[21] = 0;
    huge[22] = 0xA0, huge[23] = 0x86, huge[24] = 0x01, huge[25] = 0;
    std::vector<std::uint8_t> noise(500);
    std::srand(7);
    for (auto& byte : noise)
        byte = static_cast<std::uint8_t>(std::rand());
    std::vector<std::uint8_t> garbledGif = kGif;
    for (std::size_t i = 13; i < garbledGif.size(); i += 3)
        garbledGif[i] ^= 0x5A;
    const std::vector<std::uint8_t> hugePng = PngClaiming(100000);
    for (const auto& bytes :
         {truncated, huge, hugePng, noise, std::vector<std::uint8_t>{}, garbledGif}) {
        TImage2D image;
        const TGraphicsStatus status = TImage2D::Decode(bytes, image);
        // A decoder may salvage part of a damaged file; what it hands out is whole.
        if (status != TGraphicsStatus::Ok) {
            EXPECT_TRUE(image.IsEmpty());
            EXPECT_EQ(image.Format(), TImageFormat::Unknown);
        } else {
            EXPECT_GT(image.Width(), 0);
        }
    }
    TImage2D image;
    EXPECT_EQ(TImage2D::Decode(truncated, image), TGraphicsStatus::UnknownImageFormat);
    EXPECT_EQ(TImage2D::Decode(huge, image), TGraphicsStatus::UnknownImageFormat);
    EXPECT_EQ(TImage2D::Decode(hugePng, image), TGraphicsStatus::OutOfMemory);
    EXPECT_EQ(TImage2D::Decode(noise, image), TGraphicsStatus::UnknownImageFormat);
    EXPECT_EQ(TImage2D::Create(0, 5, image), TGraphicsStatus::InvalidParameter);
    EXPECT_EQ(TImage2D::Create(100000, 100000, image), TGraphicsStatus::OutOfMemory);
}

TEST(Graphics2D, EveryCutOfAPictureFileDecodesWholeOrFails) {
    QImage source(9, 7, QImage::Format_ARGB32);
    source.fill(qRgba(10, 200, 30, 128));
    std::vector<std::vector<std::uint8_t>> files = {kGif};
    for (const char* format : {"BMP", "PNG", "JPEG", "ICO"})
        files.push_back(Encoded(source, format));
    for (const auto& file : files)
        for (std::size_t n = 0; n < file.size(); n += 1 + n / 16) {
            const std::vector<std::uint8_t> cut(file.begin(), file.begin() + n);
            TImage2D image;
            if (TImage2D::Decode(cut, image) == TGraphicsStatus::Ok)
                EXPECT_TRUE(image.Width() > 0 && image.Height() > 0) << n;
            else
                EXPECT_TRUE(image.IsEmpty()) << n;
        }
}

TEST(Graphics2D, ImagesDrawScaledAndWithAColourKey) {
    TImage2D image;
    ASSERT_EQ(TImage2D::Create(2, 2, image), TGraphicsStatus::Ok);
    EXPECT_EQ(image.Format(), TImageFormat::MemoryBMP);
    std::uint32_t fresh = 1;
    image.Pixel(1, 1, fresh);
    EXPECT_EQ(fresh, 0u); // transparent black
    image.SetPixel(0, 0, 0xFFFF0000);
    image.SetPixel(1, 0, 0xFF00FF00);
    image.SetPixel(0, 1, 0xFF00FF00);
    image.SetPixel(1, 1, 0xFF00FF00);
    TBitmap b;
    Prefill(b, 10, 4);
    {
        TGraphics2D g(b.Canvas());
        EXPECT_EQ(g.DrawImage(image, {4, 0, 2, 2}, {0, 0, 2, 2}, true, 0xFF00FF00, 0xFF00FF00),
                  TGraphicsStatus::Ok);
        EXPECT_EQ(g.DrawImage(image, {0, 0, 2, 2}), TGraphicsStatus::Ok);
        EXPECT_EQ(g.DrawImage(TImage2D(), {0, 0, 2, 2}), TGraphicsStatus::InvalidParameter);
    }
    EXPECT_EQ(b.Pixel(0, 0), kRed);
    EXPECT_EQ(b.Pixel(1, 1), clLime);
    // Keyed: only the red pixel is drawn.
    EXPECT_EQ(b.Pixel(4, 0), kRed);
    EXPECT_EQ(b.Pixel(5, 0), kUnpainted);
    EXPECT_EQ(b.Pixel(4, 1), kUnpainted);
    EXPECT_EQ(b.Pixel(5, 1), kUnpainted);
}

TEST(Graphics2D, TextAlignsInItsBoxAndTheHotkeyPrefixIsNotDrawn) {
    const TFont2D font("Arial", 9.0f, 0);
    TStringFormat2D format;
    format.NoWrap = true;
    format.HotkeyPrefix = THotkeyPrefix::Show;
    TBitmap b;
    Prefill(b, 200, 40);
    TGraphics2D g(b.Canvas());
    TRectF plain, prefixed;
    g.MeasureString(u"File", font, {0, 0, 4096, 4096}, format, plain);
    g.MeasureString(u"&File", font, {0, 0, 4096, 4096}, format, prefixed);
    EXPECT_GT(plain.Width, 10);
    EXPECT_EQ(prefixed.Width, plain.Width);
    EXPECT_EQ(prefixed.Height, plain.Height);
    // Far and centre alignment move the text in its box.
    TRectF box;
    format.Align = TStringAlignment::Far;
    format.LineAlign = TStringAlignment::Far;
    g.MeasureString(u"File", font, {0, 0, 200, 40}, format, box);
    EXPECT_NEAR(box.X + box.Width, 200, 1);
    EXPECT_NEAR(box.Y + box.Height, 40, 1);
    format.Align = TStringAlignment::Center;
    g.MeasureString(u"File", font, {0, 0, 200, 40}, format, box);
    EXPECT_NEAR(box.X + box.Width / 2, 100, 1);
    // Ellipsis trimming shortens a line that does not fit.
    format.Trimming = TStringTrimming::EllipsisCharacter;
    g.MeasureString(u"A long caption that does not fit", font, {0, 0, 60, 40}, format, box);
    EXPECT_LE(box.Width, 60);
    // Drawn text puts ink inside the box only.
    TStringFormat2D near;
    near.NoWrap = true;
    g.DrawString(u"Fg", font, {10, 5, 60, 30}, near, TBrush2D::Solid(0xFF000000));
    const TRect ink = PaintedBox(b, kUnpainted);
    EXPECT_GE(ink.Left, 10);
    EXPECT_GE(ink.Top, 5);
    EXPECT_LE(ink.Right, 70);
    EXPECT_GT(ink.Right, ink.Left);
}
