#include "codeedit/qt/SynEdit.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

// The main window's menu shortcuts run before the editor's own bindings; combinations the menus
// do not claim still reach the editor.
TEST(ShortcutPrecedence, MenuShortcutsWinAndOtherCombinationsReachTheEditor) {
    QMainWindow window;
    auto* editor = new TSynEdit;
    window.setCentralWidget(editor);
    QMenu* file = window.menuBar()->addMenu("File");
    QAction* newTab = file->addAction("New");
    newTab->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    int newTabRuns = 0;
    QObject::connect(newTab, &QAction::triggered, [&] { ++newTabRuns; });
    QMenu* edit = window.menuBar()->addMenu("Edit");
    QAction* undo = edit->addAction("Undo");
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    int undoRuns = 0;
    QObject::connect(undo, &QAction::triggered, [&] {
        ++undoRuns;
        editor->Undo();
    });
    ShowFocused(window);
    editor->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(editor->hasFocus());
    editor->SetText("abc");

    QTest::keyClick(editor, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(newTabRuns, 1);
    EXPECT_EQ(editor->Lines().Count(), 1); // ecInsertLine did not run

    editor->Engine().SetCaret(MakePosition(0, 3));
    QTest::keyClick(editor, Qt::Key_X);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(undoRuns, 1);
    EXPECT_EQ(editor->Text(), "abc");
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor->Text(), "abcx");
}

} // namespace
