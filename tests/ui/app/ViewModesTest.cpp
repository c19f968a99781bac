// View modes in the window: the switch with its text, caret and modified flag, the menus and
// buttons of each mode, the highlighter choice and opening files of each kind.

#include "MainWindowFixture.h"

#include <QMenu>
#include <QStackedWidget>
#include <QToolBar>

namespace {

class ViewModesTest : public MainWindowTest {
protected:
    TMyMemo& Current() { return window->CurrentDocument(); }
    TSynEdit& Code() { return *Current().CodeEditor; }
    TMemo& Plain() { return *Current().PlainEditor; }
    TSynCustomHighlighter* Instance(const char* name) { return window->HighlighterInstance(name); }
    QAction* Item(const char* name) {
        return window->findChild<QAction*>(name, Qt::FindChildrenRecursively);
    }
    // The line list of the code editor, one entry per line.
    QStringList CodeLines() {
        QStringList lines;
        for (LineIndex line(0); line.Value() < Code().Lines().Count(); ++line)
            lines << QString::fromStdString(std::string(Code().Lines().Get(line)));
        return lines;
    }
};

TEST_F(ViewModesTest, TextSurvivesARoundTripAndCodeViewSavesItsBytes) {
    struct Case {
        const char* text;
        QStringList codeLines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"\tx \r\n  y", {"\tx ", "  y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const QString path = WriteFile("round.txt", "");
        window->Files().OpenFile(path);
        Plain().SetText(c.text);
        window->SetViewMode(vmCode);
        EXPECT_EQ(CodeLines(), c.codeLines);
        window->Files().mniSaveClick();
        // The new lines of a new file take the platform's break, and code view adds none after
        // the last line.
        EXPECT_EQ(ReadFile(path), QByteArray(c.text).replace("\r\n", "\n"));
        window->SetViewMode(vmPlain);
        EXPECT_EQ(Plain().Text(), c.text);
        Current().Modified = false;
        window->Tabs().mniCloseAllClick();
    }
}

TEST_F(ViewModesTest, CaretMovesAlongBetweenViews) {
    struct Case {
        const char* text;
        QPoint plainCaret; // column, line from 0
        QPoint backInPlain;
    };
    const Case cases[] = {
        {"1\r\n2\r\n3\r\n4\r\nabcdef\r\n6", {3, 4}, {3, 4}},
        {"first\r\nsecond", {6, 1}, {6, 1}},
        {"x", {0, 0}, {0, 0}},
        // The empty line after a final break is no line of the code editor: the caret goes to
        // the last line there and comes back to it.
        {"ab\r\ncd\r\n", {0, 2}, {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Plain().SetText(c.text);
        Plain().SetCaretPos(c.plainCaret);
        window->SetViewMode(vmCode);
        const QPoint expectedInCode = c.backInPlain;
        EXPECT_EQ(QPoint(Code().CaretX() - 1, Code().CaretY() - 1), expectedInCode);
        window->SetViewMode(vmPlain);
        EXPECT_EQ(Plain().CaretPos(), c.backInPlain);
    }
}

TEST_F(ViewModesTest, ChoosingTheSameViewChangesNothing) {
    Plain().SetText("one\r\ntwo\r\nthree");
    window->SetViewMode(vmCode);
    Code().SetCaretXY(2, 3);
    Current().Modified = false;
    Item("mniSyn")->trigger();
    EXPECT_EQ(Current().ViewMode, vmCode);
    EXPECT_EQ(CodeLines(), QStringList({"one", "two", "three"}));
    EXPECT_EQ(QPoint(Code().CaretX(), Code().CaretY()), QPoint(2, 3));
    EXPECT_FALSE(Current().Modified);
}

TEST_F(ViewModesTest, SwitchingIntoPlainMarksModifiedButIntoCodeDoesNot) {
    const QString path = WriteFile("notes.txt", "text");
    window->Files().OpenFile(path);
    ASSERT_FALSE(Current().Modified);
    window->SetViewMode(vmCode);
    EXPECT_FALSE(Current().Modified) << "the code editor reports only undoable edits";
    window->SetViewMode(vmPlain);
    EXPECT_TRUE(Current().Modified) << "the plain editor reports every change of its text";

    window->Files().mniSaveClick();
    window->SetViewMode(vmCode);
    EXPECT_FALSE(Code().CanUndo()) << "the copy is no edit of the code editor";
    window->mniUndoClick();
    EXPECT_EQ(CodeLines(), QStringList({"text"}));
}

TEST_F(ViewModesTest, TheTabBarShowsForASingleTabOutsidePlainView) {
    ASSERT_FALSE(Part<QTabBar>(*window, "TabControl").isVisible());
    window->SetViewMode(vmCode);
    EXPECT_TRUE(Part<QTabBar>(*window, "TabControl").isVisible());
    window->SetViewMode(vmPlain);
    EXPECT_FALSE(Part<QTabBar>(*window, "TabControl").isVisible());
}

TEST_F(ViewModesTest, TheActiveEditorIsInFrontWithTheFocus) {
    for (const int mode : {vmCode, vmPlain, vmCode}) {
        SCOPED_TRACE(mode);
        window->SetViewMode(mode);
        QApplication::processEvents();
        TSynEditWidget* editor = Current().View().TextEditor();
        EXPECT_EQ(editor, mode == vmCode ? static_cast<TSynEditWidget*>(&Code()) : &Plain());
        EXPECT_EQ(Part<QStackedWidget>(*window, "EditorArea").currentWidget(), editor);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_TRUE(editor->hasFocus());
    }
}

TEST_F(ViewModesTest, ViewModeItemsSwitchTheCurrentDocumentAndShowItsMode) {
    MakeDocuments({"first", "second"});
    window->SelectIndex(0);
    window->RefreshCurrentTab();
    // Right-clicking the second tab does not make it the target.
    window->Tabs().TabControlMouseDown(Qt::RightButton,
                                       Part<QTabBar>(*window, "TabControl").tabRect(1).center());
    Item("mniSyn")->trigger();
    EXPECT_EQ(window->DocumentAt(0).ViewMode, vmCode);
    EXPECT_EQ(window->DocumentAt(1).ViewMode, vmPlain);
    EXPECT_TRUE(Item("mniSyn")->isChecked());
    EXPECT_FALSE(Item("mniPlain")->isChecked());

    window->Tabs().mniNextTabClick();
    EXPECT_TRUE(Item("mniPlain")->isChecked()) << "the items follow the current tab";
    EXPECT_FALSE(Item("mniSyn")->isChecked());
    window->Tabs().mniPreviousTabClick();
    EXPECT_TRUE(Item("mniSyn")->isChecked());
    Item("mniPlain")->trigger();
    EXPECT_EQ(CurrentText(), "first") << "code view adds no break after the last line";
}

TEST_F(ViewModesTest, MenusAndButtonsFollowTheViewMode) {
    QMenu* fonts = &Part<QMenu>(*window, "mnuFont");
    const auto visible = [&](const QString& caption) {
        for (QAction* item : fonts->actions()) {
            if (item->text() == caption)
                return item->isVisible();
        }
        ADD_FAILURE() << caption.toStdString() << " is no font item";
        return false;
    };
    // Separators of the font menu, by the item before them: visible or not.
    const auto separatorsAfter = [&] {
        QStringList shown;
        QString previous;
        for (QAction* item : fonts->actions()) {
            if (item->isSeparator() && item->isVisible())
                shown << previous;
            previous = item->text();
        }
        return shown;
    };
    // The second tool bar row as it shows, separators as "|".
    const auto secondRow = [&] {
        QStringList shown;
        for (QAction* action : Part<QToolBar>(*window, "ToolBarSecond").actions()) {
            if (action->isVisible())
                shown << (action->isSeparator() ? QString("|") : action->objectName());
        }
        return shown;
    };
    struct Case {
        int mode;
        bool functions, options;
        bool msSansSerif10, arial10, courier, smallFonts;
        QStringList separators;
        QStringList row;
    };
    const QStringList zoomAndFonts = {"tbZoomIn",    "tbZoomOut",    "|",
                                      "tbFontColor", "tbBackground", "tbFontType"};
    const Case cases[] = {
        {vmPlain,
         true,
         false,
         true,
         true,
         true,
         true,
         {"Sylfaen, 10", "Terminal, 10", "Small Fonts, 7"},
         QStringList{"ToolButton8", "ToolButton9", "|"} + zoomAndFonts +
             QStringList{"|", "tbSpeak", "tbSpeakSettings"}},
        {vmCode, false, true, false, false, true, false, {"Small Fonts, 7"}, zoomAndFonts},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        window->SetViewMode(c.mode);
        EXPECT_EQ(Part<QMenu>(*window, "mniFunctions").menuAction()->isVisible(), c.functions);
        EXPECT_EQ(Part<QMenu>(*window, "mniFunctions2").menuAction()->isVisible(), c.options);
        EXPECT_EQ(Item("Showlinenumbers1")->isVisible() && c.options, c.options);
        EXPECT_EQ(visible("MS Sans Serif, 10"), c.msSansSerif10);
        EXPECT_EQ(visible("Arial, 10"), c.arial10);
        EXPECT_EQ(visible("Times New Roman, 14"), c.arial10);
        EXPECT_EQ(visible("Courier New, 10"), c.courier);
        EXPECT_EQ(visible("Terminal, 10"), c.courier);
        EXPECT_EQ(visible("Small Fonts, 7"), c.smallFonts);
        EXPECT_EQ(separatorsAfter(), c.separators);
        EXPECT_EQ(secondRow(), c.row);
    }
}

TEST_F(ViewModesTest, ChangeSynMatchesWholeExtensionsWithTheirCase) {
    struct Case {
        const char* extension;
        const char* instance; // nothing: no highlighter claims it
    };
    const Case cases[] = {
        {".php", "SynPHPSyn1"}, {".php5", "SynPHPSyn1"}, {".htm", "SynHTMLSyn1"},
        {".rss", "SynXMLSyn1"}, {".pl", "SynPerlSyn1"},  {".c", "SynCppSyn1"},
        {".bas", "SynVBSyn1"},  {".ini", "SynIniSyn1"},  {".java", "SynJavaSyn1"},
        {".PHP", nullptr},      {".Html", nullptr},      {".txt", nullptr},
        {"php", nullptr},       {".php6", nullptr},      {"", nullptr},
        {".php ", nullptr},     {".cc", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        window->ChangeSyn(".sql");
        ASSERT_EQ(Code().Highlighter(), Instance("SynSQLSyn1"));
        EXPECT_EQ(window->ChangeSyn(c.extension), c.instance != nullptr);
        EXPECT_EQ(Code().Highlighter(), c.instance ? Instance(c.instance) : Instance("SynSQLSyn1"));
        EXPECT_EQ(Current().ViewMode, vmPlain) << "the view mode stays";
    }
}

TEST_F(ViewModesTest, ChangeRichKnowsItsExtensionsExactly) {
    for (const char* yes : {".doc", ".rtf", ".docx", ".rtfx"})
        EXPECT_TRUE(TFileCommands::ChangeRich(yes)) << yes;
    for (const char* no : {".RTF", ".Doc", "rtf", ".rtf ", ".txt", ""})
        EXPECT_FALSE(TFileCommands::ChangeRich(no)) << no;
}

TEST_F(ViewModesTest, CodeEditorModeItemsPickTheLanguageWithoutSwitching) {
    const struct {
        const char* item;
        const char* instance;
    } cases[] = {
        {"html1", "SynHTMLSyn1"}, {"php1", "SynPHPSyn1"}, {"c1", "SynCppSyn1"},
        {"java1", "SynJavaSyn1"}, {"pas1", "SynPasSyn1"}, {"bas1", "SynVBSyn1"},
        {"css1", "SynCssSyn1"},   {"xml1", "SynXMLSyn1"}, {"perl1", "SynPerlSyn1"},
        {"sql1", "SynSQLSyn1"},   {"ini1", "SynIniSyn1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        Item(c.item)->trigger();
        EXPECT_EQ(Code().Highlighter(), Instance(c.instance));
        EXPECT_TRUE(Item(c.item)->isChecked()) << "a radio item";
        EXPECT_EQ(Current().ViewMode, vmPlain);
    }
    Item("php1")->trigger();
    Plain().SetText("<?php echo 1; ?>");
    Item("mniSyn")->trigger();
    EXPECT_EQ(Current().ViewMode, vmCode);
    EXPECT_EQ(Code().Highlighter(), Instance("SynPHPSyn1")) << "coloured as PHP";
}

TEST_F(ViewModesTest, OnlyTheFirstDocumentStartsWithHtmlAndHighlightersStay) {
    EXPECT_EQ(Code().Highlighter(), Instance("SynHTMLSyn1"));
    window->mniNewClick();
    EXPECT_EQ(Code().Highlighter(), nullptr) << "later documents start uncoloured";
    window->ChangeSyn(".css");
    window->SetViewMode(vmCode);
    window->SetViewMode(vmPlain);
    EXPECT_EQ(Code().Highlighter(), Instance("SynCssSyn1")) << "a switch keeps it";

    window->SetViewMode(vmCode);
    for (int i = 0; i < window->DocumentCount(); ++i)
        window->DocumentAt(i).Modified = false;
    window->Tabs().mniCloseAllClick();
    ASSERT_EQ(window->DocumentCount(), 1);
    window->ChangeSyn(".pas");
    window->SetViewMode(vmCode);
    Current().Modified = false;
    window->Tabs().mniCloseClick();
    EXPECT_EQ(Current().ViewMode, vmCode) << "closing the last tab keeps its view mode";
    EXPECT_EQ(Code().Highlighter(), Instance("SynPasSyn1")) << "and its highlighter";
}

TEST_F(ViewModesTest, OpeningAFilePicksTheViewByItsExtension) {
    struct Case {
        const char* name;
        int mode;
        const char* instance;
    };
    const Case cases[] = {
        {"page.html", vmCode, "SynHTMLSyn1"},    {"script.pl", vmCode, "SynPerlSyn1"},
        {"Query.sql", vmCode, "SynSQLSyn1"},     {"A.PHP", vmPlain, nullptr},
        {"notes.txt", vmPlain, nullptr},         {"README", vmPlain, nullptr},
        {"archive.tar.c", vmCode, "SynCppSyn1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteFile(c.name, "line one\nline two\n");
        window->Files().OpenFile(path);
        EXPECT_EQ(Current().FileName, path);
        EXPECT_EQ(Current().ViewMode, c.mode);
        EXPECT_FALSE(Current().Modified);
        EXPECT_EQ(Current().View().TextEditor(),
                  Part<QStackedWidget>(*window, "EditorArea").currentWidget());
        if (c.instance) {
            EXPECT_EQ(Code().Highlighter(), Instance(c.instance));
            EXPECT_EQ(CodeLines(), QStringList({"line one", "line two"}));
            EXPECT_TRUE(Part<QTabBar>(*window, "TabControl").isVisible());
            EXPECT_FALSE(Part<QMenu>(*window, "mniFunctions").menuAction()->isVisible());
        } else {
            EXPECT_TRUE(Part<QMenu>(*window, "mniFunctions").menuAction()->isVisible());
        }
    }
}

TEST_F(ViewModesTest, AFileOpenedIntoCodeViewSavesAsItWasRead) {
    const QString path = WriteFile("style.css", "a { }\r\nb { }\r\n");
    window->Files().OpenFile(path);
    ASSERT_EQ(Current().ViewMode, vmCode);
    Code().SetCaretXY(1, 2);
    Code().ExecuteCommand(ecChar, "x");
    EXPECT_TRUE(Current().Modified);
    window->Files().mniSaveClick();
    EXPECT_EQ(ReadFile(path), "a { }\r\nxb { }\r\n");
    EXPECT_FALSE(Current().Modified);
}

} // namespace
