#pragma once
// Shared by the editor widget tests: a shown, focused editor of a fixed size, and painting the
// viewport into an image.

#include "codeedit/qt/ColorQt.h"
#include "codeedit/qt/SynEditWidget.h"

#include <QApplication>
#include <QImage>
#include <QTest>

inline void ShowFocused(QWidget& widget, QSize size = QSize(640, 400)) {
    widget.resize(size);
    widget.show();
    QApplication::setActiveWindow(&widget);
    widget.setFocus();
    QCoreApplication::processEvents();
}

inline QImage Render(TSynEditWidget& editor) {
    QImage image(editor.viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    editor.PaintView(painter, image.rect());
    return image;
}

inline bool HasColourIn(const QImage& image, const QRect& area, QColor colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                return true;
    return false;
}

// Sends each character as a key press, as typing would.
inline void TypeText(QWidget& widget, const QString& text) {
    QTest::keyClicks(&widget, text);
}
