#pragma once
// The quick font menu: captions such as "Times New Roman, 12", a face, a comma, a size. Does not
// change any editor; the window applies the choice.

#include <QString>
#include <functional>

class QMenu;

struct QuickFont {
    QString face;
    int size = 0; // points; 0 when the caption holds no size
};

// "&" marks are dropped; the face is the text before the first comma, the size the rest, both
// without surrounding blanks.
QuickFont ParseQuickFontCaption(QString caption);

// Adds the quick font items, their groups separated, each calling onClick with its caption.
void AddQuickFontItems(QMenu& menu, const std::function<void(const QString& caption)>& onClick);
