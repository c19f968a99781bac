// Rich view in the window: rich files open into it, its text and caret move to the other views
// and back without formatting, it saves RTF into rich-text files only, and the window's edit,
// font and context-menu commands reach it.

#include "MainWindowFixture.h"
#include "richedit/qt/RichEdit.h"

#include <QClipboard>
#include <QMenu>
#include <QStackedWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>

namespace {

const QByteArray kStyledRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain {\\b bold} end\\par "
                              "second\\par}";

class RichViewTest : public MainWindowTest {
protected:
    TMyMemo& Current() { return window->CurrentDocument(); }
    TRxRichEdit& Rich() { return *Current().RichEditor; }
    bool IsBold(const QString& word) {
        const QTextCursor found = Rich().document()->find(word);
        EXPECT_FALSE(found.isNull()) << word.toStdString();
        return found.charFormat().fontWeight() >= QFont::Bold;
    }
};

TEST_F(RichViewTest, RichFilesOpenIntoRichViewByTheirExtensionInAnyCase) {
    struct Case {
        const char* name;
        QByteArray bytes;
        QStringList firstLines;
    };
    const Case cases[] = {
        {"letter.rtf", kStyledRtf, {"plain bold end", "second"}},
        {"B.RTF", kStyledRtf, {"plain bold end", "second"}},
        {"notes.Rtfx", "just text\r\nline two", {"just text", "line two"}},
        {"old.doc", "typed as text\nonly", {"typed as text", "only"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteFile(c.name, c.bytes);
        window->Files().OpenFile(path);
        EXPECT_EQ(Current().FileName, path);
        EXPECT_EQ(Current().ViewMode, vmRich);
        EXPECT_FALSE(Current().Modified);
        EXPECT_EQ(Rich().Lines().mid(0, 2), c.firstLines);
        EXPECT_EQ(Part<QStackedWidget>(*window, "EditorArea").currentWidget(), &Rich());
        EXPECT_TRUE(Part<QTabBar>(*window, "TabControl").isVisible());
        EXPECT_TRUE(Part<QAction>(*window, "mniRich").isChecked());
        EXPECT_EQ(ReadFile(path), c.bytes) << "opening writes nothing";
    }
}

TEST_F(RichViewTest, ABinaryRichFileGivesAnErrorAndLeavesTheTabUntitled) {
    const QByteArray zip("PK\x03\x04\x14\x00\x00\x00word/document.xml", 26);
    const QString path = WriteFile("report.docx", zip);
    window->Files().OpenFile(path);
    ASSERT_FALSE(dialogs.History().empty());
    EXPECT_EQ(dialogs.History().back().messageKind, MessageKind::Error);
    EXPECT_TRUE(LastMessage().contains("report.docx")) << LastMessage().toStdString();
    EXPECT_EQ(window->DocumentCount(), 1);
    EXPECT_TRUE(Current().FileName.isEmpty());
    EXPECT_EQ(Current().ViewMode, vmPlain);
    EXPECT_EQ(TabCaptions(), QStringList({"Blank"}));
    dialogs.QueueCancel();
    window->Files().mniSaveClick();
    EXPECT_EQ(ReadFile(path), zip) << "nothing can write over it";
}

TEST_F(RichViewTest, FormattingIsDroppedOnTheWayToPlainViewAndBack) {
    window->Files().OpenFile(WriteFile("styled.rtf", kStyledRtf));
    ASSERT_TRUE(IsBold("bold"));
    window->SetViewMode(vmPlain);
    EXPECT_EQ(CurrentText().left(22), "plain bold end\r\nsecond");
    window->SetViewMode(vmRich);
    EXPECT_FALSE(IsBold("bold"));
    EXPECT_EQ(Rich().Lines().mid(0, 2), QStringList({"plain bold end", "second"}));
}

TEST_F(RichViewTest, TextCaretAndModifiedFlagTravelThroughEveryView) {
    struct Step {
        int mode;
        QStringList richLines; // the rich editor's lines after the step, when in rich view
        const char* plainText; // the plain editor's text after the step, when in plain view
    };
    const Step steps[] = {
        {vmRich, {"one", "two", "three four"}, nullptr}, {vmCode, {}, nullptr},
        {vmRich, {"one", "two", "three four"}, nullptr}, {vmPlain, {}, "one\r\ntwo\r\nthree four"},
        {vmRich, {"one", "two", "three four"}, nullptr}, {vmPlain, {}, "one\r\ntwo\r\nthree four"},
    };
    window->CurrentPlainEditor()->SetText("one\r\ntwo\r\nthree four");
    window->CurrentPlainEditor()->SetCaretPos(QPoint(3, 2));
    for (const Step& step : steps) {
        SCOPED_TRACE(step.mode);
        Current().Modified = false;
        window->SetViewMode(step.mode);
        EXPECT_EQ(Current().Modified, step.mode != vmCode);
        if (step.mode == vmRich) {
            EXPECT_EQ(Rich().Lines(), step.richLines);
            EXPECT_EQ(Rich().CaretPos(), QPoint(3, 2));
        } else if (step.mode == vmPlain) {
            EXPECT_EQ(CurrentText(), step.plainText);
            EXPECT_EQ(window->CurrentPlainEditor()->CaretPos(), QPoint(3, 2));
        } else {
            EXPECT_EQ(Current().CodeEditor->CaretY(), 3);
            EXPECT_EQ(Current().CodeEditor->CaretX(), 4);
        }
        EXPECT_EQ(Part<QLabel>(*window, "StatusBarText").text(), "Line: 3  Col: 4  ");
    }
}

TEST_F(RichViewTest, RichViewSavesRtfIntoRichFilesAndTextIntoOthers) {
    const QString rtf = WriteFile("kept.rtf", kStyledRtf);
    window->Files().OpenFile(rtf);
    window->Files().mniSaveClick();
    const QByteArray written = ReadFile(rtf);
    EXPECT_TRUE(written.startsWith("{\\rtf")) << written.left(40).toStdString();
    window->mniNewClick();
    window->Files().OpenFile(rtf);
    EXPECT_TRUE(IsBold("bold")) << "the formatting was written";

    const QString text = WriteFile("notes.txt", "x\r\ny\r\n");
    window->Files().OpenFile(text);
    window->SetViewMode(vmRich);
    window->Files().mniSaveClick();
    EXPECT_EQ(ReadFile(text), "x\r\ny\r\n");
    EXPECT_FALSE(Current().Modified);
}

TEST_F(RichViewTest, EditFontAndContextMenuCommandsReachTheRichEditor) {
    window->Files().OpenFile(WriteFile("doc.rtf", "{\\rtf1 some words}"));
    Rich().setFocus();
    window->mniSelectAllClick();
    window->mniCopyClick();
    EXPECT_EQ(QApplication::clipboard()->text(), "some words");
    window->mniCutClick();
    EXPECT_EQ(Rich().Lines(), QStringList());
    EXPECT_TRUE(Current().Modified);
    window->mniUndoClick();
    EXPECT_EQ(Rich().Lines(), QStringList({"some words"}));
    window->mniPasteClick();
    EXPECT_EQ(Rich().Lines(), QStringList({"some wordssome words"}));

    window->ViewOptions().QuickFontClick("Courier New, 10");
    window->ViewOptions().mniIncreaseFontClick();
    EXPECT_EQ(Rich().Font().pointSize(), 11);
    EXPECT_EQ(Rich().Font(), window->CurrentPlainEditor()->Font());

    emit Rich().customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(Part<QMenu>(*window, "mnuPopup").isVisible());
    Part<QMenu>(*window, "mnuPopup").hide();
}

TEST_F(RichViewTest, OnlyTextFunctionsAndPlainOnlyFontsHideInRichView) {
    window->SetViewMode(vmRich);
    EXPECT_FALSE(Part<QMenu>(*window, "mniFunctions").menuAction()->isVisible());
    EXPECT_FALSE(Part<QMenu>(*window, "mniFunctions2").menuAction()->isVisible());
    EXPECT_FALSE(
        Part<QToolBar>(*window, "ToolBarSecond").findChild<QAction*>("tbSpeak")->isVisible());
    QStringList shownFonts;
    for (QAction* item : Part<QMenu>(*window, "mnuFont").actions()) {
        if (item->isVisible() && !item->isSeparator())
            shownFonts << item->text();
    }
    EXPECT_FALSE(shownFonts.contains("MS Sans Serif, 10"));
    EXPECT_TRUE(shownFonts.contains("Courier New, 10"));
    EXPECT_TRUE(shownFonts.contains("Times New Roman, 14"));
    EXPECT_EQ(shownFonts.size(), 18);
}

} // namespace
