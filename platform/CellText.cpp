// The editor's text: one byte, one cell. Glyphs go to exact cell positions in one glyph run
// per call, so a row costs one draw however long it is and never drifts off the cell grid.

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <algorithm>
#include <cctype>
#include <list>
#include <utility>
#include <vector>

#include "platform/Graphics.h"
#include "platform/TextCodec.h"
#include "platform/qt/QtSupport.h"

namespace {

// Windows-1252 for 0x80..0x9F with the C1 control for its five unused bytes, as the codec maps.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The length of the UTF-8 sequence a lead byte announces, 0 when it leads none.
std::size_t SequenceLength(unsigned char b) {
    if (b >= 0xC2 && b <= 0xDF)
        return 2;
    if (b >= 0xE0 && b <= 0xEF)
        return 3;
    if (b >= 0xF0 && b <= 0xF4)
        return 4;
    return 0;
}

char32_t DecodeSequence(const unsigned char* p, std::size_t length) {
    char32_t c = p[0] & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
    for (std::size_t i = 1; i < length; ++i)
        c = (c << 6) | (p[i] & 0x3F);
    return c;
}

bool IsSymbolFont(const std::string& name) {
    return name.size() == 6 && std::equal(name.begin(), name.end(), "symbol", [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

// QRawFont::fromFont lays out a probe text: far too slow to do per row. A few fonts are in
// use at a time (the editor's, its bold and underlined variants, the gutter's).
const QRawFont& RawFontFor(const QFont& font) {
    static std::list<std::pair<QFont, QRawFont>> cache;
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        if (it->first == font) {
            if (it != cache.begin())
                cache.splice(cache.begin(), cache, it);
            return cache.front().second;
        }
    }
    cache.emplace_front(font, QRawFont::fromFont(font));
    if (cache.size() > 16)
        cache.pop_back();
    return cache.front().second;
}

// One character to draw: the cell it starts in and the character.
struct CellChar {
    int cell;
    char32_t ch;
};

void CollectCells(std::string_view bytes, bool symbol, std::vector<CellChar>& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            if (b != ' ')
                out.push_back({static_cast<int>(i), b});
            ++i;
            continue;
        }
        // A sequence counts as UTF-8 by the codec's own strict rules; its tail cells stay blank.
        const std::size_t length = SequenceLength(b);
        if (length > 0 && i + length <= n && IsValidUtf8(bytes.substr(i, length))) {
            out.push_back({static_cast<int>(i), DecodeSequence(p + i, length)});
            i += length;
            continue;
        }
        char32_t c = b < 0xA0 ? kCp1252High[b - 0x80] : b;
        if (symbol && b == 0xB7)
            c = 0x2022; // Symbol's bullet
        out.push_back({static_cast<int>(i), c});
        ++i;
    }
}

} // namespace

void TCanvas::TextOutCells(int x, int y, std::string_view bytes, int cellWidth) {
    const int count = static_cast<int>(bytes.size());
    penPos_ = {x + count * cellWidth, y};
    QPainter* p = Painter();
    if (!p || bytes.empty())
        return;
    ApplyFont(*p);
    const QFont& font = p->font();
    const QFontMetrics fm(font);
    const int baseline = y + fm.ascent();
    const int height = fm.ascent() + fm.descent();
    if (brush_.Style != TBrushStyle::bsClear)
        p->fillRect(QRect(x, y, count * cellWidth, height), ToQColor(brush_.Color));

    static thread_local std::vector<CellChar> cells;
    cells.clear();
    CollectCells(bytes, IsSymbolFont(font_.Name()), cells);

    const QColor color = ToQColor(font_.Color());
    p->setPen(color);
    const QRawFont& raw = RawFontFor(font);

    // Characters of the basic plane that the font has go into one glyph run; the rest (a
    // fallback font's, beyond the basic plane) are drawn one by one at their cells.
    QString chars;
    chars.reserve(static_cast<qsizetype>(cells.size()));
    for (const CellChar& c : cells)
        chars.append(c.ch <= 0xFFFF && (c.ch < 0xD800 || c.ch > 0xDFFF)
                         ? QChar(static_cast<char16_t>(c.ch))
                         : QChar(QChar::ReplacementCharacter));
    QList<quint32> glyphs(chars.size());
    int glyphCount = static_cast<int>(chars.size());
    const bool rawOk = raw.isValid() &&
                       raw.glyphIndexesForChars(chars.constData(), static_cast<int>(chars.size()),
                                                glyphs.data(), &glyphCount) &&
                       glyphCount == chars.size();

    QList<quint32> runGlyphs;
    QList<QPointF> runPositions;
    runGlyphs.reserve(chars.size());
    runPositions.reserve(chars.size());
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const CellChar& c = cells[static_cast<std::size_t>(i)];
        const int cellX = x + c.cell * cellWidth;
        if (rawOk && glyphs[i] != 0 && c.ch <= 0xFFFF) {
            runGlyphs.append(glyphs[i]);
            runPositions.append(QPointF(cellX, baseline));
            continue;
        }
        const QString one = c.ch <= 0xFFFF ? QString(QChar(static_cast<char16_t>(c.ch)))
                                           : QString::fromUcs4(&c.ch, 1);
        p->drawText(QPoint(cellX, baseline), one);
    }
    if (!runGlyphs.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(raw);
        run.setGlyphIndexes(runGlyphs);
        run.setPositions(runPositions);
        p->drawGlyphRun(QPointF(0, 0), run);
    }

    // Decorations span every cell, blank ones included, as a line of text would.
    const int lineWidth = std::max(1, fm.lineWidth());
    if (font.underline())
        p->fillRect(QRect(x, baseline + fm.underlinePos(), count * cellWidth, lineWidth), color);
    if (font.strikeOut())
        p->fillRect(QRect(x, baseline - fm.strikeOutPos(), count * cellWidth, lineWidth), color);
}
