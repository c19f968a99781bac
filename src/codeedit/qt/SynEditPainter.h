#pragma once
// Paints one display row of one line: token by token from the line's stored start range, each
// in its attribute's colours and style, only the characters inside the clip. It owns no state
// beyond one paint; caret, gutter and scrolling are the widget's.

#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynEditLineScans.h"
#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/SynEditTokenStyle.h"
#include "codeedit/qt/SynEditMetrics.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRawFont>
#include <array>
#include <vector>

// Token colours come from the style resolver; the selection's from the desktop.
struct TSynPaintStyle {
    QColor selectionForeground;
    QColor selectionBackground;
    // Behind marked text (a search's matches), which keeps its token colours.
    QColor markBackground;
};

// A row: bytes [from, to) of a line, drawn with its left edge at originX.
struct TSynRow {
    LineIndex line{};
    std::size_t from = 0;
    std::size_t to = 0;
    // Painting may start here when it is past `from`: what comes before lies left of the view.
    // paintX is its x from the row's left edge.
    std::size_t paintFrom = 0;
    qreal paintX = 0;
};

// A row as shown: its top in the view, and whether it is its line's first row.
struct TSynVisibleRow {
    TSynRow row;
    int top = 0;
    bool firstOfLine = true;
};

class TSynLinePainter {
public:
    // highlighter: nullptr when the lines are painted in the editor font alone; resolver
    // gives each token's colours and font style; scans start long lines' scans near the view.
    TSynLinePainter(QPainter& painter, TSynTextMetrics& metrics, const Encoding& encoding,
                    const TSynPaintStyle& style, TSynCustomHighlighter* highlighter,
                    const TSynStyleResolver& resolver, TSynLineScans& scans);

    // A row far into a long line whose scan did not reach it within this paint's share was
    // painted in the editor font alone: another paint goes on with the scan.
    bool ScanUnfinished() const { return scanUnfinished; }

    // Paints the row at (originX, top); only x in [clipLeft, clipRight) is touched.
    void PaintRow(const TSynEditStringList& lines, const TSynRow& row, qreal originX, int top,
                  qreal clipLeft, qreal clipRight);
    // Paints the row as selected between x positions left and right.
    void PaintSelection(const TSynEditStringList& lines, const TSynRow& row, qreal originX, int top,
                        qreal clipLeft, qreal clipRight, qreal left, qreal right);
    // Paints the row as marked between x positions left and right.
    void PaintMark(const TSynEditStringList& lines, const TSynRow& row, qreal originX, int top,
                   qreal clipLeft, qreal clipRight, qreal left, qreal right);

private:
    struct Run {
        std::size_t from = 0, to = 0;
        qreal x = 0, width = 0;
        QColor color;
        TFontStyles style = 0;
    };
    // The row again between left and right on a background, in forcedColor or the tokens'.
    void PaintOver(const TSynEditStringList& lines, const TSynRow& row, qreal originX, int top,
                   qreal clipLeft, qreal clipRight, qreal left, qreal right,
                   const QColor& background, const QColor* forcedColor);
    void PaintTokens(const TSynEditStringList& lines, const TSynRow& row, qreal originX, int top,
                     qreal clipLeft, qreal clipRight, const QColor* forcedColor);
    void PaintToken(std::string_view text, std::size_t from, std::size_t to, qreal& x, int top,
                    qreal clipLeft, qreal clipRight, const TSynHighlighterAttributes* attribute,
                    const QColor* forcedColor);
    void Flush(std::string_view text, int top);
    const QFont& StyledFont(TFontStyles style);
    const QRawFont& StyledRawFont(TFontStyles style);
    // Draws a run of characters that need no shaping as glyphs at our own advances; false when
    // the run needs the text engine (complex scripts, marks, glyphs from a fallback font).
    bool DrawSimpleRun(const QString& shown, int top);

    QPainter& painter;
    TSynTextMetrics& metrics;
    const Encoding& encoding;
    TSynPaintStyle style;
    TSynCustomHighlighter* highlighter;
    const TSynStyleResolver& resolver;
    TSynLineScans& scans;
    std::array<QFont, 16> fonts;
    std::array<bool, 16> fontReady{};
    std::array<QRawFont, 16> rawFonts;
    std::array<bool, 16> rawFontReady{};
    QList<quint32> glyphs;
    QList<QPointF> positions;
    Run pending;
    std::vector<Run> segments;
    qreal rowOrigin = 0;
    bool passedRight = false;
    // Painting over a background of its own: tokens do not paint theirs.
    bool overBackground = false;
    // The line the highlighter is scanning, and its text then.
    LineIndex scannedLine = NoLine;
    const char* scannedText = nullptr;
    // Bytes of long lines this paint may still scan: about 3 ms of scanning.
    std::size_t scanBudget = std::size_t(512) << 10;
    bool scanUnfinished = false;
};
