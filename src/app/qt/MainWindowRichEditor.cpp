// The rich editor of every document: wired to the window's editor handlers like the other two,
// and the Format menu's checks following its selection.

#include "app/qt/ContextMenu.h"
#include "app/qt/MainWindow.h"
#include "app/qt/RichFormatCommands.h"
#include "app/qt/ViewOptions.h"
#include "richedit/qt/RichEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>

void TForm1::ConnectRichEditor(TRxRichEdit* editor) {
    contextMenu->WatchEditor(*editor);
    viewOptions->WatchPointer(*editor);
    connect(editor, &TRxRichEdit::Changed, this, &TForm1::Memo01Change);
    connect(editor, &QTextEdit::cursorPositionChanged, this, &TForm1::ShowCaretPosition);
    connect(editor, &TRxRichEdit::KeyReleased, this, &TForm1::ShowCaretPosition);
    connect(editor, &TRxRichEdit::MousePressed, this, &TForm1::ShowCaretPosition);
    connect(editor, &QTextEdit::cursorPositionChanged, this, &TForm1::UpdateFormatChecks);
    connect(editor, &QTextEdit::currentCharFormatChanged, this, &TForm1::UpdateFormatChecks);
}

void TForm1::UpdateFormatChecks() {
    const std::optional<RichSelectionLook> found = formatCommands->SelectionLook();
    if (!found || !mniBold)
        return;
    const RichSelectionLook& look = *found;
    mniBold->setChecked(look.bold);
    mniItalic->setChecked(look.italic);
    mniUnderline->setChecked(look.underline);
    mniStrikeOut->setChecked(look.strikeOut);
    mniAlignCentre->setChecked(look.alignment & Qt::AlignHCenter);
    mniAlignRight->setChecked(look.alignment & (Qt::AlignRight | Qt::AlignTrailing));
    mniJustify->setChecked(look.alignment & Qt::AlignJustify);
    mniAlignLeft->setChecked(!mniAlignCentre->isChecked() && !mniAlignRight->isChecked() &&
                             !mniJustify->isChecked());
    mniBullets->setChecked(look.bullets);
    mniNumbering->setChecked(look.numbering);
}
