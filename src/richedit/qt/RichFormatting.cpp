#include "richedit/qt/RichFormatting.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>

namespace {

// Half an inch at 96 pixels per inch.
constexpr double kIndentStep = 48;

void Merge(QTextEdit& editor, const QTextCharFormat& format) {
    editor.mergeCurrentCharFormat(format);
}

bool IsBulletStyle(QTextListFormat::Style style) {
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

// Runs change on every paragraph the selection touches, as one step of undo.
template <typename Change> void ForEachSelectedBlock(QTextEdit& editor, Change change) {
    QTextCursor cursor = editor.textCursor();
    const QTextBlock last = editor.document()->findBlock(cursor.selectionEnd());
    cursor.beginEditBlock();
    for (QTextBlock block = editor.document()->findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
        change(block);
        if (block == last) {
            break;
        }
    }
    cursor.endEditBlock();
}

} // namespace

RichSelectionLook LookOfSelection(const QTextEdit& editor) {
    const QTextCharFormat format = editor.currentCharFormat();
    const QTextCursor cursor = editor.textCursor();
    RichSelectionLook look;
    look.bold = format.fontWeight() >= QFont::DemiBold;
    look.italic = format.fontItalic();
    look.underline = format.fontUnderline();
    look.strikeOut = format.fontStrikeOut();
    look.alignment = editor.alignment() & Qt::AlignHorizontal_Mask;
    if (const QTextList* list = cursor.currentList()) {
        look.bullets = IsBulletStyle(list->format().style());
        look.numbering = !look.bullets;
    }
    return look;
}

void SetBold(QTextEdit& editor, bool on) {
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    Merge(editor, format);
}

void SetItalic(QTextEdit& editor, bool on) {
    QTextCharFormat format;
    format.setFontItalic(on);
    Merge(editor, format);
}

void SetUnderline(QTextEdit& editor, bool on) {
    QTextCharFormat format;
    format.setFontUnderline(on);
    Merge(editor, format);
}

void SetStrikeOut(QTextEdit& editor, bool on) {
    QTextCharFormat format;
    format.setFontStrikeOut(on);
    Merge(editor, format);
}

void SetSelectionFont(QTextEdit& editor, const QFont& font) {
    QTextCharFormat format;
    format.setFont(font, QTextCharFormat::FontPropertiesSpecifiedOnly);
    Merge(editor, format);
}

void SetTextColor(QTextEdit& editor, const QColor& color) {
    QTextCharFormat format;
    format.setForeground(color);
    Merge(editor, format);
}

void SetHighlightColor(QTextEdit& editor, const QColor& color) {
    QTextCharFormat format;
    format.setBackground(color);
    Merge(editor, format);
}

void SetParagraphAlignment(QTextEdit& editor, Qt::Alignment alignment) {
    editor.setAlignment(alignment);
}

void ToggleList(QTextEdit& editor, QTextListFormat::Style style) {
    QTextCursor cursor = editor.textCursor();
    QTextList* current = cursor.currentList();
    if (current != nullptr && IsBulletStyle(current->format().style()) == IsBulletStyle(style)) {
        ForEachSelectedBlock(editor, [&](const QTextBlock& block) {
            if (QTextList* list = block.textList()) {
                list->remove(block);
                QTextBlockFormat format = block.blockFormat();
                format.setIndent(0);
                QTextCursor(block).setBlockFormat(format);
            }
        });
        return;
    }
    cursor.beginEditBlock();
    if (current != nullptr) {
        QTextListFormat format = current->format();
        format.setStyle(style);
        current->setFormat(format);
    } else {
        cursor.createList(style);
    }
    cursor.endEditBlock();
}

void ChangeIndent(QTextEdit& editor, int steps) {
    ForEachSelectedBlock(editor, [&](const QTextBlock& block) {
        QTextBlockFormat format = block.blockFormat();
        format.setLeftMargin(std::max(0.0, format.leftMargin() + steps * kIndentStep));
        QTextCursor(block).setBlockFormat(format);
    });
}
