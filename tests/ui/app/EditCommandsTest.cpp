#include "MainWindowFixture.h"
#include "search/qt/GoToLineDialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

namespace {

std::string TenLines() {
    std::string text;
    for (int i = 1; i <= 10; ++i)
        text += "line " + std::to_string(i) + (i < 10 ? "\r\n" : "");
    return text;
}

} // namespace

TEST_F(MainWindowTest, GoToMovesTheCaretInEitherView) {
    for (int mode : {vmPlain, vmCode}) {
        window->CurrentPlainEditor()->SetText(TenLines());
        window->SetViewMode(mode);
        dialogs.QueueText(" 5 ");
        window->mniGotoClick();
        EXPECT_EQ(Part<QLabel>(*window, "StatusBarText").text(), "Line: 5  Col: 1  ") << mode;
        if (mode == vmCode)
            EXPECT_EQ(window->CurrentDocument().CodeEditor->CaretY(), 5);
        else
            EXPECT_EQ(window->CurrentPlainEditor()->CaretPos(), QPoint(0, 4));
        window->SetViewMode(vmPlain);
    }
}

TEST_F(MainWindowTest, GoToDialogShowsTheLastNumberAndCancelChangesNothing) {
    window->CurrentPlainEditor()->SetText(TenLines());
    dialogs.QueueText("7");
    window->mniGotoClick();
    EXPECT_EQ(dialogs.History().back().caption, "Go to line number");
    EXPECT_EQ(dialogs.History().back().text, "1");

    dialogs.QueueText("2", false);
    window->mniGotoClick();
    EXPECT_EQ(dialogs.History().back().text, "7");
    EXPECT_EQ(Part<QLabel>(*window, "StatusBarText").text(), "Line: 7  Col: 1  ");
}

TEST_F(MainWindowTest, GoToRejectsWhatIsNoWholeNumber) {
    window->CurrentPlainEditor()->SetText(TenLines());
    dialogs.QueueText(" abc ");
    window->mniGotoClick();
    EXPECT_EQ(LastMessage(), "'abc' is not a valid integer value");
    EXPECT_EQ(Part<QLabel>(*window, "StatusBarText").text(), "Line: 1  Col: 1  ");
}

TEST_F(MainWindowTest, GoToBeyondTheLastLineLeavesTheCaretOnALine) {
    window->CurrentPlainEditor()->SetText(TenLines());
    dialogs.QueueText("99");
    window->mniGotoClick();
    EXPECT_EQ(Part<QLabel>(*window, "StatusBarText").text(), "Line: 1  Col: 1  ");
}

TEST_F(MainWindowTest, UndoInPlainViewFallsBackToTheSnapshot) {
    window->CurrentPlainEditor()->SetText("b\r\na");
    window->TakeUndoSnapshot();
    window->CurrentPlainEditor()->SetText("a\r\nb"); // a text function's result
    window->mniUndoClick();
    EXPECT_EQ(CurrentText(), "b\r\na");
    window->mniUndoClick();
    EXPECT_EQ(CurrentText(), "b\r\na");
    EXPECT_TRUE(window->CurrentDocument().Modified);
}

TEST_F(MainWindowTest, UndoAfterTypingUndoesOnlyTheTyping) {
    window->CurrentPlainEditor()->SetText("b\r\na");
    window->TakeUndoSnapshot();
    window->CurrentPlainEditor()->SetText("a\r\nb");
    window->activateWindow();
    window->CurrentPlainEditor()->setFocus();
    QTest::keyClicks(window->CurrentPlainEditor(), "x");
    window->mniUndoClick();
    EXPECT_EQ(CurrentText(), "a\r\nb");
}

TEST_F(MainWindowTest, UndoRightAfterOpeningChangesNothing) {
    window->Files().OpenFile(WriteFile("a.txt", "text"));
    window->mniUndoClick();
    EXPECT_EQ(CurrentText(), "text");
    EXPECT_FALSE(window->CurrentDocument().Modified);
}

TEST_F(MainWindowTest, ClipboardCommandsActOnTheEditorOfTheViewMode) {
    window->CurrentPlainEditor()->SetText("hello world");
    window->SetViewMode(vmCode);
    TSynEdit* code = window->CurrentDocument().CodeEditor;
    QGuiApplication::clipboard()->setText("before");

    window->mniCutClick(); // nothing selected: the clipboard stays
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");

    window->mniSelectAllClick();
    window->mniCopyClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "hello world");
    window->mniDeleteClick();
    EXPECT_EQ(code->Text(), "");
    window->mniPasteClick();
    EXPECT_EQ(code->Text(), "hello world");
    window->mniUndoClick();
    EXPECT_EQ(code->Text(), "");
    EXPECT_EQ(CurrentText(), "hello world");
}

TEST_F(MainWindowTest, MenuShortcutsReachTheMenusBeforeTheCodeEditor) {
    window->SetViewMode(vmCode);
    window->activateWindow();
    TSynEdit* code = window->CurrentDocument().CodeEditor;
    code->setFocus();
    QTest::keyClick(code, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window->DocumentCount(), 2);
    EXPECT_EQ(code->Lines().Count(), 0);
}
