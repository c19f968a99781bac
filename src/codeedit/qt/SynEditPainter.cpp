#include "codeedit/qt/SynEditPainter.h"

#include "codeedit/qt/ColorQt.h"
#include "platform/qt/EncodingQt.h"

#include <QGlyphRun>

TSynLinePainter::TSynLinePainter(QPainter& painter, TSynTextMetrics& metrics,
                                 const Encoding& encoding, const TSynPaintStyle& style,
                                 TSynCustomHighlighter* highlighter,
                                 const TSynStyleResolver& resolver, TSynLineScans& scans)
    : painter(painter), metrics(metrics), encoding(encoding), style(style),
      highlighter(highlighter), resolver(resolver), scans(scans) {}

const QFont& TSynLinePainter::StyledFont(TFontStyles fontStyle) {
    const unsigned index = fontStyle & 15u;
    if (!fontReady[index]) {
        QFont font = metrics.Font();
        font.setBold(font.bold() || (fontStyle & fsBold));
        font.setItalic(font.italic() || (fontStyle & fsItalic));
        font.setUnderline(font.underline() || (fontStyle & fsUnderline));
        font.setStrikeOut(font.strikeOut() || (fontStyle & fsStrikeOut));
        fonts[index] = font;
        fontReady[index] = true;
    }
    return fonts[index];
}

const QRawFont& TSynLinePainter::StyledRawFont(TFontStyles fontStyle) {
    const unsigned index = fontStyle & 15u;
    if (!rawFontReady[index]) {
        rawFonts[index] = QRawFont::fromFont(StyledFont(fontStyle));
        rawFontReady[index] = true;
    }
    return rawFonts[index];
}

bool TSynLinePainter::DrawSimpleRun(const QString& shown, int top) {
    // Below the Hebrew block, outside the combining marks, every character is one glyph that
    // needs no shaping.
    for (QChar c : shown)
        if (c.unicode() >= 0x0590 || (c.unicode() >= 0x0300 && c.unicode() < 0x0370))
            return false;
    const QRawFont& raw = StyledRawFont(pending.style);
    if (!raw.isValid())
        return false;
    glyphs = raw.glyphIndexesForString(shown);
    if (glyphs.size() != shown.size() || glyphs.contains(0u))
        return false;
    // Blanks leave no ink; dropping them saves a blit each.
    positions.clear();
    qsizetype kept = 0;
    qreal x = 0;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] != QLatin1Char(' ')) {
            glyphs[kept++] = glyphs[i];
            positions.append(QPointF(x, 0));
        }
        x += metrics.Advance(shown[i].unicode());
    }
    glyphs.resize(kept);
    if (kept == 0 && !(pending.style & (fsUnderline | fsStrikeOut)))
        return true;
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(pending.style & fsUnderline);
    run.setStrikeOut(pending.style & fsStrikeOut);
    painter.setPen(pending.color);
    painter.drawGlyphRun(QPointF(pending.x, top + metrics.Ascent()), run);
    return true;
}

void TSynLinePainter::PaintRow(const TSynEditStringList& lines, const TSynRow& row, qreal originX,
                               int top, qreal clipLeft, qreal clipRight) {
    PaintTokens(lines, row, originX, top, clipLeft, clipRight, nullptr);
}

void TSynLinePainter::PaintSelection(const TSynEditStringList& lines, const TSynRow& row,
                                     qreal originX, int top, qreal clipLeft, qreal clipRight,
                                     qreal left, qreal right) {
    PaintOver(lines, row, originX, top, clipLeft, clipRight, left, right, style.selectionBackground,
              &style.selectionForeground);
}

void TSynLinePainter::PaintMark(const TSynEditStringList& lines, const TSynRow& row, qreal originX,
                                int top, qreal clipLeft, qreal clipRight, qreal left, qreal right) {
    PaintOver(lines, row, originX, top, clipLeft, clipRight, left, right, style.markBackground,
              nullptr);
}

void TSynLinePainter::PaintOver(const TSynEditStringList& lines, const TSynRow& row, qreal originX,
                                int top, qreal clipLeft, qreal clipRight, qreal left, qreal right,
                                const QColor& background, const QColor* forcedColor) {
    const qreal from = std::max(left, clipLeft), to = std::min(right, clipRight);
    if (to <= from)
        return;
    const QRectF area(from, top, to - from, metrics.LineHeight());
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.fillRect(area, background);
    overBackground = true;
    PaintTokens(lines, row, originX, top, from, to, forcedColor);
    overBackground = false;
    painter.restore();
}

void TSynLinePainter::PaintTokens(const TSynEditStringList& lines, const TSynRow& row,
                                  qreal originX, int top, qreal clipLeft, qreal clipRight,
                                  const QColor* forcedColor) {
    const std::string_view text = lines.Get(row.line);
    const std::size_t to = std::min(row.to, text.size());
    const bool skip = row.paintFrom > row.from;
    const std::size_t from = skip ? row.paintFrom : row.from;
    qreal x = originX + (skip ? row.paintX : 0);
    rowOrigin = originX;
    pending = Run{};
    passedRight = false;
    // The rows of a wrapped line come in order: each goes on from the token the one before
    // stopped at rather than scanning the line again from its start.
    const bool goOn = highlighter && scannedLine == row.line && scannedText == text.data() &&
                      !highlighter->AtLineEnd() && highlighter->TokenStart() <= ByteColumn(from);
    const bool scanned = goOn || !highlighter ||
                         scans.StartAt(*highlighter, lines, row.line, ByteColumn(from), scanBudget);
    scannedLine = scanned ? row.line : NoLine;
    scannedText = text.data();
    scanUnfinished = scanUnfinished || !scanned;
    if (highlighter && scanned) {
        while (!highlighter->AtLineEnd() && !passedRight) {
            const std::size_t tokenFrom = highlighter->TokenStart().Value();
            const std::size_t tokenTo = tokenFrom + highlighter->TokenLength();
            if (tokenFrom >= to)
                break;
            if (tokenTo > from)
                PaintToken(text, std::max(tokenFrom, from), std::min(tokenTo, to), x, top, clipLeft,
                           clipRight, highlighter->TokenAttribute(), forcedColor);
            if (tokenTo > to)
                break;
            highlighter->NextToken();
        }
    } else {
        PaintToken(text, from, to, x, top, clipLeft, clipRight, nullptr, forcedColor);
    }
    Flush(text, top);
}

void TSynLinePainter::PaintToken(std::string_view text, std::size_t from, std::size_t to, qreal& x,
                                 int top, qreal clipLeft, qreal clipRight,
                                 const TSynHighlighterAttributes* attribute,
                                 const QColor* forcedColor) {
    const TSynTokenStyle tokenStyle = resolver.TokenStyle(attribute);
    const QColor color = forcedColor ? *forcedColor : ToQColor(tokenStyle.foreground);
    const TFontStyles fontStyle = tokenStyle.style;
    const bool ownBackground =
        !overBackground && tokenStyle.background != resolver.TextBackground();
    // Runs of visible characters between tabs, drawn once the token's background is down.
    segments.clear();
    qreal visibleLeft = 0, visibleRight = 0;
    bool open = false;
    WalkChars(text, from, to, x - rowOrigin, encoding, metrics, [&](const TSynCharBox& box) {
        const qreal left = rowOrigin + box.x;
        x = left + box.width;
        if (left >= clipRight) {
            passedRight = true;
            return false;
        }
        if (x <= clipLeft)
            return true;
        if (segments.empty() && !open)
            visibleLeft = left;
        visibleRight = x;
        if (box.tab) {
            open = false;
        } else if (open) {
            segments.back().to = box.start + box.length;
            segments.back().width = x - segments.back().x;
        } else {
            segments.push_back(
                Run{box.start, box.start + box.length, left, box.width, color, fontStyle});
            open = true;
        }
        return true;
    });
    if (visibleRight > visibleLeft && ownBackground)
        painter.fillRect(QRectF(visibleLeft, top, visibleRight - visibleLeft, metrics.LineHeight()),
                         ToQColor(tokenStyle.background));
    for (const Run& segment : segments) {
        if (pending.to == segment.from && pending.to > pending.from && pending.color == color &&
            pending.style == fontStyle) {
            pending.to = segment.to;
            pending.width = segment.x + segment.width - pending.x;
        } else {
            Flush(text, top);
            pending = segment;
        }
    }
}

void TSynLinePainter::Flush(std::string_view text, int top) {
    if (pending.to <= pending.from)
        return;
    QString shown = ToQString(text.substr(pending.from, pending.to - pending.from), encoding);
    SubstituteDisplayCodes(shown);
    if (DrawSimpleRun(shown, top)) {
        pending = Run{};
        return;
    }
    painter.setFont(StyledFont(pending.style));
    painter.setPen(pending.color);
    painter.drawText(QPointF(pending.x, top + metrics.Ascent()), shown);
    pending = Run{};
}
