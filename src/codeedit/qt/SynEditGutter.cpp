#include "codeedit/qt/SynEditGutter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
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
      markSize(QFontMetrics(font).height() + 1) {}

int TSynGutter::Width(int lineCount) const {
    int width = markSize + 2 * kPadding;
    if (showLineNumbers)
        width += digitWidth * std::max(2, Digits(std::max(1, lineCount))) + kPadding;
    return width;
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
    for (const TSynVisibleRow& row : rows) {
        if (!row.firstOfLine)
            continue;
        const int line = row.row.line;
        if (showLineNumbers) {
            painter.setPen(palette.color(QPalette::ButtonText));
            const QRect box(markLeft + mark, row.top, width - markLeft - mark - kPadding,
                            rowHeight);
            painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::number(line + 1));
        }
        const std::vector<int> marks = engine.BookmarksOnLine(LineIndex(line));
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
}
