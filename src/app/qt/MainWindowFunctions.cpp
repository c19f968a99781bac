// The Functions menu: every item runs one text function on the current document's plain editor
// and gives the result back by the function's rule, after keeping the old text for Undo.

#include "app/qt/MainWindow.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "textfuncs/RandomText.h"
#include "textfuncs/TextCommands.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

namespace {

struct FunctionItem {
    const char* name = nullptr; // none: a separator
    const char* caption = nullptr;
    const char* command = nullptr; // the text command it runs; none: mniFillRandomClick
    int tag = 0;
    const char* shortcut = nullptr;
};

struct FunctionSubmenu {
    const char* name;
    const char* caption;
    std::initializer_list<FunctionItem> items;
};

const FunctionSubmenu FunctionSubmenus[] = {
    {"CharacterCase1",
     "Character Case",
     {{"mniAnsiLowerCase", "Lower Case", "lower"},
      {"mniAnsiUpperCase", "Upper Case", "upper"},
      {"mniInvertCase", "Invert Case", "invert-case"},
      {"mnirAndOmCAsE", "Random Case", "random-case"},
      {"mniCoolCase", "Fun Case", "fun-case"},
      {"mniNormalCase", "Normal Case", "normal-case", 0},
      {"mniUpperCaseFirst", "Upper Case First", "upper-case-first", 1},
      {},
      {"mniLowerCase", "Lower Case (a .. z)", "lower-az"},
      {"mniUpperCase", "Upper Case (a .. z)", "upper-az"},
      {"mniInvertCaseAz", "Invert Case (a .. z)", "invert-case-az"}}},
    {"DateandTime1",
     "Date && Time",
     {{"mniInsertDate", "Insert Date", "insert-date"},
      {"mniInsertTime", "Insert Time", "insert-time"},
      {"mniInsertDateTime", "Insert Date Time", "insert-date-time"}}},
    {"mniEncode",
     "Encode",
     {{"En1", "Encode / Decode", "encode", 1},
      {"mniEncodeSubtract", "Encode / Decode (w/o Line Breaks)", "encode-keep-breaks", 0},
      {"Offset11", "ASCII Offset +1", "offset-plus", 2, "Ctrl+Alt+]"},
      {"Offset12", "ASCII Offset -1", "offset-minus", 3, "Ctrl+Alt+["}}},
    {"AddNoise1",
     "Random",
     {{"mniInsertRandomNumber", "Insert Random Number", "insert-random-number"},
      {},
      {"mniFillRandom", "New Random Text (32..255)", nullptr, 0},
      {"FillRandom21", "New Random Text (32..99)", nullptr, 1},
      {"FillRandomAlphanumeric1", "New Random Text (Alphanumeric)", nullptr, 2}}},
    {"Remove1",
     "Remove",
     {{"RemoveBlankLines1", "Remove Blank Lines", "remove-blank-lines"},
      {"mniTrimLines", "Trim Lines", "trim-lines"},
      {"Removeduplicatelines1", "Remove duplicate lines", "remove-duplicates"},
      {},
      {"mniRemoveHTMLTags", "Remove HTML/XML Tags", "remove-tags"},
      {"mniLeaveTagsOnly", "Leave Tags Only", "leave-tags"}}},
    {"Regional1",
     "Regional",
     {{"mniCyrillicToLatin", "Cyrillic to Latin", "cyrillic-to-latin"},
      {"mniLatinToCyrillic", "Latin to Cyrillic", "latin-to-cyrillic"}}},
    {"Reverse1",
     "Reverse",
     {{"mniReverseLines", "Reverse Lines", "reverse-lines"},
      {"mniReverseStrings", "Reverse Strings", "reverse-strings"},
      {"mniReverseText", "Reverse Text", "reverse-text"}}},
    {"Sort1",
     "Sort",
     {{"mniSortLines", "Sort Alphabetically", "sort"},
      {"mniSortDescending", "Sort Descending", "sort-descending"},
      {"mniSortByLineLen", "Sort by Line Length", "sort-by-length"}}},
    {"ransform1", "Transform", {{"mniAddCopyrights", "Add Copyrights", "add-copyrights"}}},
};

} // namespace

void TForm1::CreateFunctionsMenu() {
    for (const FunctionSubmenu& submenu : FunctionSubmenus) {
        QMenu* menu = mniFunctions->addMenu(submenu.caption);
        menu->menuAction()->setObjectName(submenu.name);
        for (const FunctionItem& item : submenu.items) {
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(item.caption);
            action->setObjectName(item.name);
            action->setData(item.tag);
            if (item.shortcut) {
                action->setShortcut(QKeySequence(item.shortcut));
                // The window holds it too, so the key works while the menu is hidden.
                addAction(action);
            }
            if (!item.command) {
                connect(action, &QAction::triggered, this,
                        [this, tag = item.tag] { mniFillRandomClick(tag); });
                continue;
            }
            const TextCommand* command = FindTextCommand(item.command);
            Q_ASSERT(command);
            connect(action, &QAction::triggered, this,
                    [this, command] { RunTextFunction(*command); });
        }
    }
}

void TForm1::WireFunctionButtons() {
    const auto runOnClick = [this](const char* button, const char* item) {
        connect(ToolBarSecond->findChild<QAction*>(button), &QAction::triggered,
                findChild<QAction*>(item), &QAction::trigger);
    };
    runOnClick("sort-alphabetically", "mniSortLines");
    runOnClick("sort-by-length", "mniSortByLineLen");
}

void TForm1::RunTextFunction(const TextCommand& command) {
    if (CurrentDocument().ViewMode != vmPlain) {
        RunTextFunctionInActiveEditor(command);
        return;
    }
    TakeUndoSnapshot();
    TMemo* editor = CurrentPlainEditor();
    if (command.rule == TextRule::CaretInsertion) {
        editor->SetSelText(command.insertion(ProgramEncoding()));
        editor->ClearUndo();
        return;
    }
    const std::optional<PlainTextState> result = RunTextCommand(command, {editor->Text(), 0, 0});
    if (result)
        editor->SetText(result->text);
}

// Only the two offset keys reach here, as the menu is hidden outside plain view. They change the
// text the user sees, as one undoable edit of that editor.
void TForm1::RunTextFunctionInActiveEditor(const TextCommand& command) {
    TSynEditWidget* editor = ActiveEditor(CurrentDocument());
    if (editor->ReadOnly())
        return;
    const std::optional<PlainTextState> result =
        RunTextCommand(command, {editor->Engine().Text(), 0, 0});
    if (!result)
        return;
    editor->SelectAll();
    editor->Engine().InsertText(result->text);
    editor->Engine().SetCaret({});
}

void TForm1::mniFillRandomClick(int tag) {
    mniNewClick();
    CurrentPlainEditor()->SetText(NewRandomText(static_cast<RandomTextKind>(tag)));
    CurrentDocument().Modified = false;
}
