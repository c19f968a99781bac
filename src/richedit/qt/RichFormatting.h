#pragma once
// The Format menu's commands on a rich editor's selection (or, without one, on what is typed
// next and on the caret's paragraph), each one step of undo, and the state the menu shows.

#include <QColor>
#include <QFont>
#include <QTextListFormat>

class QTextEdit;

struct RichSelectionLook {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool bullets = false;
    bool numbering = false;
};

RichSelectionLook LookOfSelection(const QTextEdit& editor);

void SetBold(QTextEdit& editor, bool on);
void SetItalic(QTextEdit& editor, bool on);
void SetUnderline(QTextEdit& editor, bool on);
void SetStrikeOut(QTextEdit& editor, bool on);
void SetSelectionFont(QTextEdit& editor, const QFont& font);
void SetTextColor(QTextEdit& editor, const QColor& color);
void SetHighlightColor(QTextEdit& editor, const QColor& color);
void SetParagraphAlignment(QTextEdit& editor, Qt::Alignment alignment);
// Makes the selected paragraphs items of a list of that style, or plain paragraphs again when
// they are items of one already.
void ToggleList(QTextEdit& editor, QTextListFormat::Style style);
// Moves the selected paragraphs' left edge by steps of half an inch, never left of the margin.
void ChangeIndent(QTextEdit& editor, int steps);
