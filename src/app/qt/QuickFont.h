#pragma once
// The captions of the quick font menu ("Times New Roman, 12"): a face, a comma, a size.

#include <QString>

struct QuickFont {
    QString face;
    int size = 0; // points; 0 when the caption holds no size
};

// "&" marks are dropped; the face is the text before the first comma, the size the rest, both
// without surrounding blanks.
QuickFont ParseQuickFontCaption(QString caption);
