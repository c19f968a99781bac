#pragma once
// The code editor's gutter: line numbers (when shown) and bookmark marks 0-9 as small numbered
// squares. It measures and paints; which lines are visible is the widget's to say.

#include "codeedit/SynEditEngine.h"
#include "codeedit/qt/SynEditPainter.h"

#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QRawFont>
#include <array>
#include <vector>

class TSynGutter {
public:
    TSynGutter();

    bool ShowLineNumbers() const { return showLineNumbers; }
    void SetShowLineNumbers(bool value) { showLineNumbers = value; }
    const QFont& Font() const { return font; }

    int Width(int lineCount) const;
    void Paint(QPainter& painter, const std::vector<TSynVisibleRow>& rows, int lineCount,
               int rowHeight, int height, const TSynEditEngine& engine,
               const QPalette& palette) const;

private:
    void AddNumber(QList<quint32>& glyphs, QList<QPointF>& positions, int number, int right,
                   int baseline) const;
    QFont font;
    int digitWidth;
    int markSize;
    int ascent;
    int descent;
    QRawFont rawFont;
    std::array<quint32, 10> digitGlyphs{};
    bool showLineNumbers = true;
};
