// The Format menu's rows and commands.

#include "app/qt/RichFormatCommands.h"

#include "app/qt/Document.h"
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
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniBoldClick>,
         .button = {"tbBold", "Bold", "Bold", "format-text-bold", {ToolRow::Second, 5, 1}},
         .modes = InRichView,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniBold},
        {.name = "mniItalic",
         .caption = "&Italic",
         .shortcuts = {"Ctrl+I"},
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniItalicClick>,
         .button = {"tbItalic", "Italic", "Italic", "format-text-italic", {ToolRow::Second, 5, 2}},
         .modes = InRichView,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniItalic},
        {.name = "mniUnderline",
         .caption = "&Underline",
         .shortcuts = {"Ctrl+U"},
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniUnderlineClick>,
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
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniStrikeOutClick>,
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
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniFormatFontClick>},
        {.name = "mniTextColour",
         .caption = "Text &Colour...",
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniTextColourClick>},
        {.name = "mniHighlightColour",
         .caption = "&Highlight Colour...",
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniHighlightColourClick>},
        {},
        {.name = "mniAlignLeft",
         .caption = "Align &Left",
         .tag = Qt::AlignLeft,
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniAlignClick>,
         .check = MenuCheck::RadioChecked,
         .action = &TWindowParts::mniAlignLeft},
        {.name = "mniAlignCentre",
         .caption = "Align C&entre",
         .tag = Qt::AlignHCenter,
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniAlignClick>,
         .check = MenuCheck::RadioUnchecked,
         .action = &TWindowParts::mniAlignCentre},
        {.name = "mniAlignRight",
         .caption = "Align &Right",
         .tag = Qt::AlignRight,
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniAlignClick>,
         .check = MenuCheck::RadioUnchecked,
         .action = &TWindowParts::mniAlignRight},
        {.name = "mniJustify",
         .caption = "&Justify",
         .tag = Qt::AlignJustify,
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniAlignClick>,
         .check = MenuCheck::RadioUnchecked,
         .action = &TWindowParts::mniJustify},
        {},
        {.name = "mniBullets",
         .caption = "Bulle&ts",
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniBulletsClick>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniBullets},
        {.name = "mniNumbering",
         .caption = "&Numbering",
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniNumberingClick>,
         .check = MenuCheck::Unchecked,
         .action = &TWindowParts::mniNumbering},
        {.name = "mniIncreaseIndent",
         .caption = "Increase In&dent",
         .tag = 1,
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniIndentClick>},
        {.name = "mniDecreaseIndent",
         .caption = "Decre&ase Indent",
         .tag = -1,
         .handler = CallOn<&TForm1::Format, &TRichFormatCommands::mniIndentClick>},
    };
    return rows;
}

TRichFormatCommands::TRichFormatCommands(Dialogs& dialogs, CurrentDocumentSource current,
                                         std::function<void()> lookChanged)
    : dialogs(dialogs), current(std::move(current)), lookChanged(std::move(lookChanged)) {}

TRxRichEdit* TRichFormatCommands::Target() {
    TMyMemo& document = current();
    return document.ViewMode == vmRich ? document.RichEditor : nullptr;
}

void TRichFormatCommands::mniBoldClick(bool on) {
    if (TRxRichEdit* editor = Target())
        SetBold(*editor, on);
}

void TRichFormatCommands::mniItalicClick(bool on) {
    if (TRxRichEdit* editor = Target())
        SetItalic(*editor, on);
}

void TRichFormatCommands::mniUnderlineClick(bool on) {
    if (TRxRichEdit* editor = Target())
        SetUnderline(*editor, on);
}

void TRichFormatCommands::mniStrikeOutClick(bool on) {
    if (TRxRichEdit* editor = Target())
        SetStrikeOut(*editor, on);
}

void TRichFormatCommands::mniFormatFontClick() {
    TRxRichEdit* editor = Target();
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

void TRichFormatCommands::mniTextColourClick() {
    TRxRichEdit* editor = Target();
    if (!editor)
        return;
    if (const std::optional<QColor> color =
            dialogs.ChooseColor(editor->currentCharFormat().foreground().color()))
        SetTextColor(*editor, *color);
}

void TRichFormatCommands::mniHighlightColourClick() {
    TRxRichEdit* editor = Target();
    if (!editor)
        return;
    if (const std::optional<QColor> color =
            dialogs.ChooseColor(editor->currentCharFormat().background().color()))
        SetHighlightColor(*editor, *color);
}

void TRichFormatCommands::mniAlignClick(int alignment) {
    if (TRxRichEdit* editor = Target())
        SetParagraphAlignment(*editor, Qt::Alignment(alignment));
    lookChanged();
}

void TRichFormatCommands::mniBulletsClick() {
    if (TRxRichEdit* editor = Target())
        ToggleList(*editor, QTextListFormat::ListDisc);
    lookChanged();
}

void TRichFormatCommands::mniNumberingClick() {
    if (TRxRichEdit* editor = Target())
        ToggleList(*editor, QTextListFormat::ListDecimal);
    lookChanged();
}

void TRichFormatCommands::mniIndentClick(int steps) {
    if (TRxRichEdit* editor = Target())
        ChangeIndent(*editor, steps);
}

std::optional<RichSelectionLook> TRichFormatCommands::SelectionLook() {
    if (TRxRichEdit* editor = Target())
        return LookOfSelection(*editor);
    return std::nullopt;
}
