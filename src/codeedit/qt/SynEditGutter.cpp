#include "codeedit/qt/SynEditGutter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <algorithm>

namespace {

constexpr int kPadding = 4;

// "Terminal" is a Windows bitmap face; elsewhere the system's fixed-pitch face stands in.
QFont GutterFont() {
    QFont font(QStringLiteral("Terminal"));
    font.setPixelSize(11);
    if (!QFontInfo(font).exactMatch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPixelSize(11);
    }
    return font;
}

int Digits(int value) {
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

TSynGutter::TSynGutter()
    : font(GutterFont()), digitWidth(QFontMetrics(font).horizontalAdvance(QLatin1Char('0'))),
      markSize(QFontMetrics(font).height() + 1), ascent(QFontMetrics(font).ascent()),
      descent(QFontMetrics(font).descent()), rawFont(QRawFont::fromFont(font)) {
    const QList<quint32> glyphs = rawFont.glyphIndexesForString(QStringLiteral("0123456789"));
    for (int digit = 0; digit < 10 && digit < glyphs.size(); ++digit)
        digitGlyphs[std::size_t(digit)] = glyphs[digit];
}

int TSynGutter::Width(int lineCount) const {
    int width = markSize + 2 * kPadding;
    if (showLineNumbers)
        width += digitWidth * std::max(2, Digits(std::max(1, lineCount))) + kPadding;
    return width;
}

void TSynGutter::AddNumber(QList<quint32>& glyphs, QList<QPointF>& positions, int number, int right,
                           int baseline) const {
    // Digits share one advance in every face we pick, so numbers are laid out by arithmetic
    // and drawn as glyphs without going through the text engine.
    const QString text = QString::number(number);
    const qreal left = right - digitWidth * text.size();
    for (qsizetype i = 0; i < text.size(); ++i) {
        glyphs.append(digitGlyphs[std::size_t(text[i].unicode() - '0')]);
        positions.append(QPointF(left + digitWidth * i, baseline));
    }
}

void TSynGutter::Paint(QPainter& painter, const std::vector<TSynVisibleRow>& rows, int lineCount,
                       int rowHeight, int height, const TSynEditEngine& engine,
                       const QPalette& palette) const {
    const int width = Width(lineCount);
    painter.fillRect(0, 0, width, height, palette.color(QPalette::Button));
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawLine(width - 1, 0, width - 1, height);
    painter.setFont(font);
    const int mark = markSize;
    const int markLeft = kPadding;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    for (const TSynVisibleRow& row : rows) {
        if (!row.firstOfLine)
            continue;
        const LineIndex line = row.row.line;
        if (showLineNumbers)
            AddNumber(glyphs, positions, line.Value() + 1, width - kPadding,
                      row.top + (rowHeight + ascent - descent) / 2);
        const std::vector<int> marks = engine.BookmarksOnLine(line);
        if (marks.empty())
            continue;
        // Several bookmarks on one line: the lowest number shows.
        const QRect square(markLeft, row.top + (rowHeight - mark) / 2, mark, mark);
        painter.fillRect(square, QColor(0x30, 0x60, 0xC0));
        painter.setPen(QColor(0x10, 0x20, 0x60));
        painter.drawRect(square.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::white);
        painter.drawText(square, Qt::AlignCenter, QString::number(marks.front()));
    }
    if (glyphs.isEmpty())
        return;
    QGlyphRun numbers;
    numbers.setRawFont(rawFont);
    numbers.setGlyphIndexes(glyphs);
    numbers.setPositions(positions);
    painter.setPen(palette.color(QPalette::ButtonText));
    painter.drawGlyphRun(QPointF(0, 0), numbers);
}
