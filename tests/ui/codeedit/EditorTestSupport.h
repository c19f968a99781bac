#pragma once
// Shared by the editor widget tests: a shown, focused editor of a fixed size, and painting the
// viewport into an image.

#include "codeedit/qt/ColorQt.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "codeedit/qt/SynEditWidget.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QImage>
#include <QTest>
#include <memory>

// UTF-8 as the program's encoding while it lives, whatever the test's locale.
struct Utf8Program {
    const Encoding& saved = ProgramEncoding();
    Utf8Program() { SetProgramEncoding(*Encoding::ForCodePage(Encoding::Utf8CodePage)); }
    ~Utf8Program() { SetProgramEncoding(saved); }
};

// The plain and the code editor, for tests that hold for both.
struct EditorKind {
    const char* name;
    std::unique_ptr<TSynEditWidget> (*make)();
};
inline const EditorKind kEditors[] = {
    {"plain", [] { return std::unique_ptr<TSynEditWidget>(std::make_unique<TMemo>()); }},
    {"code", [] { return std::unique_ptr<TSynEditWidget>(std::make_unique<TSynEdit>()); }},
};

// The text interface assistive technology sees on an editor; nothing when there is none.
inline QAccessibleTextInterface* TextOf(QWidget& editor) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&editor);
    return accessible ? accessible->textInterface() : nullptr;
}

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
