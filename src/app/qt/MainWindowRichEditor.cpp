// The rich editor of every document: wired to the window's editor handlers like the other two,
// dressed in the plain editor's look, and the Format menu's checks following its selection.

#include "app/qt/MainWindow.h"
#include "app/qt/RichFormatCommands.h"
#include "codeedit/qt/ColorQt.h"
#include "codeedit/qt/Memo.h"
#include "richedit/qt/RichEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>

void TForm1::ConnectRichEditor(TRxRichEdit* editor) {
    WatchEditor(editor);
    connect(editor, &TRxRichEdit::Changed, this, &TForm1::Memo01Change);
    connect(editor, &QTextEdit::cursorPositionChanged, this, &TForm1::ShowCaretPosition);
    connect(editor, &TRxRichEdit::KeyReleased, this, &TForm1::ShowCaretPosition);
    connect(editor, &TRxRichEdit::MousePressed, this, &TForm1::ShowCaretPosition);
    connect(editor, &QTextEdit::cursorPositionChanged, this, &TForm1::UpdateFormatChecks);
    connect(editor, &QTextEdit::currentCharFormatChanged, this, &TForm1::UpdateFormatChecks);
}

void TForm1::ApplyLookToRichEditor(TMyMemo& document, const TMemo& model) {
    TRxRichEdit& editor = *document.RichEditor;
    editor.SetFont(model.Font());
    // System colours as the window's palette has them, not as the editor's own has been set.
    editor.SetFontColor(ToQColor(model.FontColor(), palette(), palette().color(QPalette::Text)));
    editor.SetColor(ToQColor(model.Color(), palette(), palette().color(QPalette::Base)));
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
