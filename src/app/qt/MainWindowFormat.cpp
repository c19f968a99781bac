// The Format menu: the look of the rich editor's selection. Its keys act in rich view only,
// where the menu shows.

#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "platform/qt/Dialogs.h"
#include "richedit/qt/RichEdit.h"
#include "richedit/qt/RichFormatting.h"

std::span<const MenuItem> FormatMenu() {
    static const MenuItem rows[] = {
        {.name = "mniBold",
         .caption = "&Bold",
         .shortcuts = {"Ctrl+B"},
         .handler = Call<&TForm1::mniBoldClick>,
         .button = {"tbBold", "Bold", "Bold", "format-text-bold", {ToolRow::Second, 5, 1}},
         .modes = InRichView,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniBold},
        {.name = "mniItalic",
         .caption = "&Italic",
         .shortcuts = {"Ctrl+I"},
         .handler = Call<&TForm1::mniItalicClick>,
         .button = {"tbItalic", "Italic", "Italic", "format-text-italic", {ToolRow::Second, 5, 2}},
         .modes = InRichView,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniItalic},
        {.name = "mniUnderline",
         .caption = "&Underline",
         .shortcuts = {"Ctrl+U"},
         .handler = Call<&TForm1::mniUnderlineClick>,
         .button = {"tbUnderline",
                    "Underline",
                    "Underline",
                    "format-text-underline",
                    {ToolRow::Second, 5, 3}},
         .modes = InRichView,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniUnderline},
        {.name = "mniStrikeOut",
         .caption = "Stri&ke-out",
         .handler = Call<&TForm1::mniStrikeOutClick>,
         .button = {"tbStrikeOut",
                    "Strike-out",
                    "Strike-out",
                    "format-text-strikethrough",
                    {ToolRow::Second, 5, 4}},
         .modes = InRichView,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniStrikeOut},
        {},
        {.name = "mniFormatFont",
         .caption = "&Font...",
         .handler = Call<&TForm1::mniFormatFontClick>},
        {.name = "mniTextColour",
         .caption = "Text &Colour...",
         .handler = Call<&TForm1::mniTextColourClick>},
        {.name = "mniHighlightColour",
         .caption = "&Highlight Colour...",
         .handler = Call<&TForm1::mniHighlightColourClick>},
        {},
        {.name = "mniAlignLeft",
         .caption = "Align &Left",
         .tag = Qt::AlignLeft,
         .handler = Call<&TForm1::mniAlignClick>,
         .check = MenuCheck::RadioChecked,
         .action = &TWindowParts::mniAlignLeft},
        {.name = "mniAlignCentre",
         .caption = "Align C&entre",
         .tag = Qt::AlignHCenter,
         .handler = Call<&TForm1::mniAlignClick>,
         .check = MenuCheck::RadioUnchecked,
         .action = &TWindowParts::mniAlignCentre},
        {.name = "mniAlignRight",
         .caption = "Align &Right",
         .tag = Qt::AlignRight,
         .handler = Call<&TForm1::mniAlignClick>,
         .check = MenuCheck::RadioUnchecked,
         .action = &TWindowParts::mniAlignRight},
        {.name = "mniJustify",
         .caption = "&Justify",
         .tag = Qt::AlignJustify,
         .handler = Call<&TForm1::mniAlignClick>,
         .check = MenuCheck::RadioUnchecked,
         .action = &TWindowParts::mniJustify},
        {},
        {.name = "mniBullets",
         .caption = "Bulle&ts",
         .handler = Call<&TForm1::mniBulletsClick>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniBullets},
        {.name = "mniNumbering",
         .caption = "&Numbering",
         .handler = Call<&TForm1::mniNumberingClick>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniNumbering},
        {.name = "mniIncreaseIndent",
         .caption = "Increase In&dent",
         .tag = 1,
         .handler = Call<&TForm1::mniIndentClick>},
        {.name = "mniDecreaseIndent",
         .caption = "Decre&ase Indent",
         .tag = -1,
         .handler = Call<&TForm1::mniIndentClick>},
    };
    return rows;
}

TRxRichEdit* TForm1::FormatTarget() {
    TMyMemo& document = CurrentDocument();
    return document.ViewMode == vmRich ? document.RichEditor : nullptr;
}

void TForm1::mniBoldClick(bool on) {
    if (TRxRichEdit* editor = FormatTarget())
        SetBold(*editor, on);
}

void TForm1::mniItalicClick(bool on) {
    if (TRxRichEdit* editor = FormatTarget())
        SetItalic(*editor, on);
}

void TForm1::mniUnderlineClick(bool on) {
    if (TRxRichEdit* editor = FormatTarget())
        SetUnderline(*editor, on);
}

void TForm1::mniStrikeOutClick(bool on) {
    if (TRxRichEdit* editor = FormatTarget())
        SetStrikeOut(*editor, on);
}

void TForm1::mniFormatFontClick() {
    TRxRichEdit* editor = FormatTarget();
    if (!editor)
        return;
    const QTextCharFormat current = editor->currentCharFormat();
    const std::optional<FontChoice> chosen = dialogs.ChooseFont(
        {current.font().resolve(editor->Font()), current.foreground().color()}, false);
    if (chosen) {
        SetSelectionFont(*editor, chosen->font);
        if (chosen->color.isValid())
            SetTextColor(*editor, chosen->color);
    }
}

void TForm1::mniTextColourClick() {
    TRxRichEdit* editor = FormatTarget();
    if (!editor)
        return;
    if (const std::optional<QColor> color =
            dialogs.ChooseColor(editor->currentCharFormat().foreground().color()))
        SetTextColor(*editor, *color);
}

void TForm1::mniHighlightColourClick() {
    TRxRichEdit* editor = FormatTarget();
    if (!editor)
        return;
    if (const std::optional<QColor> color =
            dialogs.ChooseColor(editor->currentCharFormat().background().color()))
        SetHighlightColor(*editor, *color);
}

void TForm1::mniAlignClick(int alignment) {
    if (TRxRichEdit* editor = FormatTarget())
        SetParagraphAlignment(*editor, Qt::Alignment(alignment));
    UpdateFormatChecks();
}

void TForm1::mniBulletsClick() {
    if (TRxRichEdit* editor = FormatTarget())
        ToggleList(*editor, QTextListFormat::ListDisc);
    UpdateFormatChecks();
}

void TForm1::mniNumberingClick() {
    if (TRxRichEdit* editor = FormatTarget())
        ToggleList(*editor, QTextListFormat::ListDecimal);
    UpdateFormatChecks();
}

void TForm1::mniIndentClick(int steps) {
    if (TRxRichEdit* editor = FormatTarget())
        ChangeIndent(*editor, steps);
}

void TForm1::UpdateFormatChecks() {
    TRxRichEdit* editor = FormatTarget();
    if (!editor || !mniBold)
        return;
    const RichSelectionLook look = LookOfSelection(*editor);
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
