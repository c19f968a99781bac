#pragma once
// A document's caret in the editor of a view mode, as a 0-based column (characters) and line.

#include "app/qt/Document.h"

#include <QPoint>

QPoint CaretOf(const TMyMemo& document, int mode);
void PlaceCaret(TMyMemo& document, int mode, QPoint caret);
