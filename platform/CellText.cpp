// The editor's text: one byte, one cell. A character is drawn in the cell of its first byte and
// its other cells stay blank. Glyphs go to exact cell positions in one glyph run per call, so a
// row costs one draw however long it is and never drifts off the cell grid.

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <algorithm>
#include <list>
#include <utility>
#include <vector>

#include "platform/Graphics.h"
#include "platform/TextCodec.h"
#include "platform/qt/Convert.h"
#include "platform/qt/DisplayText.h"
#include "platform/qt/Native.h"

namespace {

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

// The characters that start in cells [first, end) of `line`, decoded with the whole line as
// context: a character that starts before `first` is not drawn, its cells in range stay blank.
void CollectCells(std::string_view line, std::size_t first, std::size_t end, bool symbol,
                  std::vector<CellChar>& out) {
    std::size_t from = DisplayCharStart(line, first);
    if (from < first)
        from += DecodeDisplayChar(line, from).length;
    for (const DisplayChar& c : DisplayChars(line, from)) {
        if (c.offset >= end)
            break;
        if (c.ch != ' ')
            out.push_back({static_cast<int>(c.offset), ShownChar(line, c, symbol)});
    }
}

} // namespace

void TCanvas::TextOutCells(int x, int y, std::string_view bytes, int cellWidth) {
    TextOutCells(x, y, bytes, 0, static_cast<int>(bytes.size()), cellWidth);
}

void TCanvas::TextOutCells(int x, int y, std::string_view line, int firstCell, int endCell,
                           int cellWidth) {
    const int first = std::clamp(firstCell, 0, static_cast<int>(line.size()));
    const int end = std::clamp(endCell, first, static_cast<int>(line.size()));
    const int left = x + first * cellWidth;
    const int width = (end - first) * cellWidth;
    penPos_ = {x + end * cellWidth, y};
    QPainter* p = PainterOf(*this);
    if (!p || first == end)
        return;
    ApplyFont(*p, font_);
    const QFont& font = p->font();
    const QFontMetrics fm(font);
    const int baseline = y + fm.ascent();
    const int height = fm.ascent() + fm.descent();
    if (brush_.Style != TBrushStyle::bsClear)
        p->fillRect(QRect(left, y, width, height), ToQColor(brush_.Color));

    static thread_local std::vector<CellChar> cells;
    cells.clear();
    CollectCells(line, static_cast<std::size_t>(first), static_cast<std::size_t>(end),
                 IsSymbolFont(font_.Name()), cells);

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
        p->fillRect(QRect(left, baseline + fm.underlinePos(), width, lineWidth), color);
    if (font.strikeOut())
        p->fillRect(QRect(left, baseline - fm.strikeOutPos(), width, lineWidth), color);
}
