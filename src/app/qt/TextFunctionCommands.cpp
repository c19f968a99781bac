// The Functions menu: every item runs one text function on the current document's plain editor
// and gives the result back by the function's rule, after keeping the old text for Undo.

#include "app/qt/TextFunctionCommands.h"

#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "app/qt/StatusBarProgress.h"
#include "codeedit/qt/Memo.h"
#include "textfuncs/RandomText.h"
#include "textfuncs/qt/EditorTextCommands.h"

namespace {

constexpr MenuHandler RunText =
    CallOn<&TForm1::TextFunctions, &TTextFunctionCommands::RunTextFunction>;
constexpr MenuHandler FillRandom =
    CallOn<&TForm1::TextFunctions, &TTextFunctionCommands::mniFillRandomClick>;

} // namespace

TTextFunctionCommands::TTextFunctionCommands(CurrentDocumentSource current, QLabel& progressField,
                                             std::function<void()> keepForUndo,
                                             std::function<void()> newDocument)
    : current(std::move(current)), progressField(progressField),
      keepForUndo(std::move(keepForUndo)), newDocument(std::move(newDocument)) {}

std::span<const MenuItem> FunctionsMenu() {
    static const MenuItem characterCase[] = {
        {.name = "mniAnsiLowerCase",
         .caption = "Lower Case",
         .handler = RunText,
         .command = "lower"},
        {.name = "mniAnsiUpperCase",
         .caption = "Upper Case",
         .handler = RunText,
         .command = "upper"},
        {.name = "mniInvertCase",
         .caption = "Invert Case",
         .handler = RunText,
         .command = "invert-case"},
        {.name = "mnirAndOmCAsE",
         .caption = "Random Case",
         .handler = RunText,
         .command = "random-case"},
        {.name = "mniCoolCase", .caption = "Fun Case", .handler = RunText, .command = "fun-case"},
        {.name = "mniNormalCase",
         .caption = "Normal Case",
         .tag = 0,
         .handler = RunText,
         .command = "normal-case"},
        {.name = "mniUpperCaseFirst",
         .caption = "Upper Case First",
         .tag = 1,
         .handler = RunText,
         .command = "upper-case-first"},
        {},
        {.name = "mniLowerCase",
         .caption = "Lower Case (a .. z)",
         .handler = RunText,
         .command = "lower-az"},
        {.name = "mniUpperCase",
         .caption = "Upper Case (a .. z)",
         .handler = RunText,
         .command = "upper-az"},
        {.name = "mniInvertCaseAz",
         .caption = "Invert Case (a .. z)",
         .handler = RunText,
         .command = "invert-case-az"},
    };
    static const MenuItem dateAndTime[] = {
        {.name = "mniInsertDate",
         .caption = "Insert Date",
         .handler = RunText,
         .command = "insert-date"},
        {.name = "mniInsertTime",
         .caption = "Insert Time",
         .handler = RunText,
         .command = "insert-time"},
        {.name = "mniInsertDateTime",
         .caption = "Insert Date Time",
         .handler = RunText,
         .command = "insert-date-time"},
    };
    static const MenuItem encode[] = {
        {.name = "En1",
         .caption = "Encode / Decode",
         .tag = 1,
         .handler = RunText,
         .command = "encode"},
        {.name = "mniEncodeSubtract",
         .caption = "Encode / Decode (w/o Line Breaks)",
         .tag = 0,
         .handler = RunText,
         .command = "encode-keep-breaks"},
        // The offset keys work in every view mode, while the menu is hidden too.
        {.name = "Offset11",
         .caption = "ASCII Offset +1",
         .shortcuts = {"Ctrl+Alt+]"},
         .tag = 2,
         .handler = RunText,
         .command = "offset-plus"},
        {.name = "Offset12",
         .caption = "ASCII Offset -1",
         .shortcuts = {"Ctrl+Alt+["},
         .tag = 3,
         .handler = RunText,
         .command = "offset-minus"},
    };
    static const MenuItem random[] = {
        {.name = "mniInsertRandomNumber",
         .caption = "Insert Random Number",
         .handler = RunText,
         .command = "insert-random-number"},
        {},
        {.name = "mniFillRandom",
         .caption = "New Random Text (32..255)",
         .tag = 0,
         .handler = FillRandom},
        {.name = "FillRandom21",
         .caption = "New Random Text (32..99)",
         .tag = 1,
         .handler = FillRandom},
        {.name = "FillRandomAlphanumeric1",
         .caption = "New Random Text (Alphanumeric)",
         .tag = 2,
         .handler = FillRandom},
    };
    static const MenuItem remove[] = {
        {.name = "RemoveBlankLines1",
         .caption = "Remove Blank Lines",
         .handler = RunText,
         .command = "remove-blank-lines"},
        {.name = "mniTrimLines",
         .caption = "Trim Lines",
         .handler = RunText,
         .command = "trim-lines"},
        {.name = "Removeduplicatelines1",
         .caption = "Remove duplicate lines",
         .handler = RunText,
         .command = "remove-duplicates"},
        {},
        {.name = "mniRemoveHTMLTags",
         .caption = "Remove HTML/XML Tags",
         .handler = RunText,
         .command = "remove-tags"},
        {.name = "mniLeaveTagsOnly",
         .caption = "Leave Tags Only",
         .handler = RunText,
         .command = "leave-tags"},
    };
    static const MenuItem regional[] = {
        {.name = "mniCyrillicToLatin",
         .caption = "Cyrillic to Latin",
         .handler = RunText,
         .command = "cyrillic-to-latin"},
        {.name = "mniLatinToCyrillic",
         .caption = "Latin to Cyrillic",
         .handler = RunText,
         .command = "latin-to-cyrillic"},
    };
    static const MenuItem reverse[] = {
        {.name = "mniReverseLines",
         .caption = "Reverse Lines",
         .handler = RunText,
         .command = "reverse-lines"},
        {.name = "mniReverseStrings",
         .caption = "Reverse Strings",
         .handler = RunText,
         .command = "reverse-strings"},
        {.name = "mniReverseText",
         .caption = "Reverse Text",
         .handler = RunText,
         .command = "reverse-text"},
    };
    static const MenuItem sort[] = {
        {.name = "mniSortLines",
         .caption = "Sort Alphabetically",
         .handler = RunText,
         .button = {"ToolButton8",
                    "Sort",
                    "Sort Alphabetically",
                    "sort-alphabetically",
                    {ToolRow::Second, 1, 1}},
         .modes = InPlainView,
         .command = "sort"},
        {.name = "mniSortDescending",
         .caption = "Sort Descending",
         .handler = RunText,
         .command = "sort-descending"},
        {.name = "mniSortByLineLen",
         .caption = "Sort by Line Length",
         .handler = RunText,
         .button = {"ToolButton9",
                    "Sort",
                    "Sort by Line Length",
                    "sort-by-length",
                    {ToolRow::Second, 1, 2}},
         .modes = InPlainView,
         .command = "sort-by-length"},
    };
    static const MenuItem transform[] = {
        {.name = "mniAddCopyrights",
         .caption = "Add Copyrights",
         .handler = RunText,
         .command = "add-copyrights"},
    };
    static const MenuItem rows[] = {
        {.name = "CharacterCase1", .caption = "Character Case", .submenu = characterCase},
        {.name = "DateandTime1", .caption = "Date && Time", .submenu = dateAndTime},
        {.name = "mniEncode", .caption = "Encode", .submenu = encode},
        {.name = "AddNoise1", .caption = "Random", .submenu = random},
        {.name = "Remove1", .caption = "Remove", .submenu = remove},
        {.name = "Regional1", .caption = "Regional", .submenu = regional},
        {.name = "Reverse1", .caption = "Reverse", .submenu = reverse},
        {.name = "Sort1", .caption = "Sort", .submenu = sort},
        {.name = "ransform1", .caption = "Transform", .submenu = transform},
        {.name = "mniVoice", .caption = "Voice", .submenu = VoiceMenu()},
    };
    return rows;
}

void TTextFunctionCommands::RunTextFunction(std::string_view name) {
    const TextCommand* command = FindTextCommand(name);
    Q_ASSERT(command);
    if (!command)
        return;
    TMyMemo& document = current();
    // Only the two offset keys reach here outside plain view, as the menu is hidden there. They
    // change the text the user sees, as one undoable edit of that editor.
    if (document.ViewMode != vmPlain) {
        // The rich editor has no such edit.
        if (TSynEditWidget* editor = document.View().TextEditor())
            RunAsEdit(*command, *editor);
        return;
    }
    keepForUndo();
    // A big text's function runs beside the window, which shows how long it takes.
    StatusBarProgress progress(
        &progressField,
        "Running " + QString::fromUtf8(command->name.data(), qsizetype(command->name.size())));
    RunOnPlainEditor(*command, *document.PlainEditor,
                     [&](std::size_t size, const std::function<void()>& work) {
                         progress.RunWhileRepainting(size, work);
                     });
}

void TTextFunctionCommands::mniFillRandomClick(int tag) {
    newDocument();
    TMyMemo& document = current();
    document.PlainEditor->SetText(NewRandomText(static_cast<RandomTextKind>(tag)));
    document.Modified = false;
}
