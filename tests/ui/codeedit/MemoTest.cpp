#include "codeedit/qt/Memo.h"

#include "codeedit/qt/SynEdit.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(Memo, WordWrapShowsRowsButKeepsTheLines) {
    std::string longLine;
    for (int i = 0; i < 60; ++i)
        longLine += "word ";
    const std::string text = longLine + "\r\nsecond";
    TMemo memo;
    memo.SetText(text);
    ShowFocused(memo, QSize(300, 300));
    memo.Engine().SetCaret(MakePosition(1, 0));
    const int unwrappedTop = memo.CaretRect().top();
    memo.SetWordWrap(true);
    Render(memo);
    EXPECT_EQ(memo.Lines().Count(), 2);
    EXPECT_EQ(memo.Text(), text);
    // The second line now sits below the rows of the wrapped first one.
    EXPECT_GT(memo.CaretRect().top(), unwrappedTop + memo.LineHeight());
    EXPECT_EQ(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    memo.SetWordWrap(false);
    EXPECT_EQ(memo.Text(), text);
    EXPECT_EQ(memo.CaretRect().top(), unwrappedTop);
    EXPECT_EQ(memo.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(Memo, SelectionIsCountedInWholeTextOffsetsWithCrLf) {
    struct Case {
        std::size_t start, length;
        const char* selected;
        QPoint caret;
    };
    const Case cases[] = {
        {0, 2, "ab", QPoint(2, 0)},
        {4, 2, "cd", QPoint(2, 1)},
        {1, 4, "b\r\nc", QPoint(1, 1)},
        {5, 100, "d", QPoint(2, 1)},
    };
    for (const Case& c : cases) {
        TMemo memo;
        memo.SetText("ab\r\ncd");
        memo.SetSelStart(TextOffset(c.start));
        memo.SetSelLength(TextOffset(c.length));
        EXPECT_EQ(memo.SelText(), c.selected) << c.start;
        EXPECT_EQ(memo.SelStart().Value(), c.start);
        EXPECT_EQ(memo.SelLength().Value(), std::string(c.selected).size());
        EXPECT_EQ(memo.CaretPos(), c.caret) << c.start;
    }
}

TEST(Memo, SelTextReplacesTheSelectionAsOneUndoableEdit) {
    TMemo memo;
    memo.SetText("one two");
    EXPECT_FALSE(memo.CanUndo());
    memo.SetSelStart(TextOffset(4));
    memo.SetSelLength(TextOffset(3));
    memo.SetSelText("2\r\nthree");
    EXPECT_EQ(memo.Text(), "one 2\r\nthree");
    EXPECT_TRUE(memo.Modified());
    ASSERT_TRUE(memo.CanUndo());
    memo.Undo();
    EXPECT_EQ(memo.Text(), "one two");
}

TEST(Memo, KeysOfThePlainEditControl) {
    TMemo memo;
    memo.SetText("ab");
    ShowFocused(memo);
    memo.Engine().SetCaret(MakePosition(0, 1));
    QTest::keyClick(&memo, Qt::Key_Tab);
    EXPECT_EQ(memo.Text(), "a\tb");
    EXPECT_TRUE(memo.hasFocus());
    QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(memo.Text(), "ab");
    // Bookmark keys are the code editor's only.
    QTest::keyClick(&memo, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(memo.Engine().GetBookmark(3).has_value());
    memo.SetCaretPos(QPoint(7, 9));
    EXPECT_EQ(memo.CaretPos(), QPoint(1, 0));
    memo.SetCaretPos(QPoint(2, 0));
    EXPECT_EQ(memo.CaretPos(), QPoint(2, 0));
}

TEST(Memo, ChangeSignalForEveryTextChangeAlsoFromCode) {
    TMemo memo;
    QSignalSpy changed(&memo, &TSynEditWidget::Changed);
    memo.SetText("abc");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(memo.Modified());
    memo.Lines().Put(LineIndex(0), "xyz");
    EXPECT_EQ(changed.count(), 2);
    ShowFocused(memo);
    QTest::keyClick(&memo, Qt::Key_Q);
    EXPECT_EQ(changed.count(), 3);
    EXPECT_TRUE(memo.Modified());
}

TEST(SynEditChange, ChangedOnlyForEditsThatEnterTheUndoList) {
    TSynEdit editor;
    QSignalSpy changed(&editor, &TSynEditWidget::Changed);
    editor.SetText("abc\r\ndef");
    editor.Lines().Put(LineIndex(0), "xyz");
    EXPECT_EQ(changed.count(), 0);
    ShowFocused(editor);
    QTest::keyClick(&editor, Qt::Key_End);
    EXPECT_EQ(changed.count(), 0);
    QTest::keyClick(&editor, Qt::Key_Q);
    EXPECT_EQ(changed.count(), 1);
    QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(changed.count(), 2);
}

TEST(SynEditMouse, ClickDragDoubleAndTripleClickSelect) {
    TSynEdit editor;
    editor.SetText("alpha beta\r\ngamma");
    ShowFocused(editor);
    const int left = editor.Gutter().Width(2) + 2;
    const int charWidth = QFontMetrics(editor.Font()).horizontalAdvance('a');
    const int middle = editor.LineHeight() / 2;
    auto at = [&](int column, int line) {
        return QPoint(left + column * charWidth + 1, line * editor.LineHeight() + middle);
    };
    QWidget* view = editor.viewport();
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at(7, 0));
    EXPECT_EQ(editor.Engine().Caret(), MakePosition(0, 7));
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, at(2, 1));
    EXPECT_EQ(editor.SelText(), "eta\r\nga");
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, at(0, 0));
    QTest::mouseMove(view, at(5, 0));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, at(5, 0));
    EXPECT_EQ(editor.SelText(), "alpha");
    QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, at(8, 0));
    EXPECT_EQ(editor.SelText(), "beta");
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at(8, 0));
    EXPECT_EQ(editor.SelText(), "alpha beta\r\n");
    // Alt+drag selects a column block.
    QTest::mousePress(view, Qt::LeftButton, Qt::AltModifier, at(1, 0));
    QTest::mouseMove(view, at(3, 1));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::AltModifier, at(3, 1));
    EXPECT_EQ(editor.Engine().SelectionMode(), TSynSelectionMode::smColumn);
    EXPECT_EQ(editor.SelText(), "lp\r\nam");
}

TEST(SynEditMouse, DraggingBelowTheViewKeepsScrollingAndSelecting) {
    TSynEdit editor;
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line\r\n";
    editor.SetText(text);
    ShowFocused(editor);
    QWidget* view = editor.viewport();
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, QPoint(60, 5));
    QTest::mouseMove(view, QPoint(60, view->height() + 20));
    const LineIndex topAfterMove = editor.TopLine();
    // The drag scrolls on a timer while the mouse stays below the view.
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor.TopLine() > topAfterMove; }, 5000));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, QPoint(60, view->height() + 20));
    EXPECT_GT(editor.TopLine().Value(), topAfterMove.Value());
    EXPECT_GT(editor.Engine().Caret().line.Value(), view->height() / editor.LineHeight());
    EXPECT_TRUE(editor.SelAvail());
}

TEST(SynEditFont, QWidgetFontAndSetFontAgree) {
    TSynEdit editor;
    const int smallHeight = editor.LineHeight();
    QFont large(QStringLiteral("Courier New"));
    large.setPixelSize(26);
    editor.setFont(large);
    EXPECT_EQ(editor.Font(), large);
    EXPECT_GT(editor.LineHeight(), smallHeight);
}

TEST(SynEditMouse, WheelScrollsWithoutMovingTheCaret) {
    TSynEdit editor;
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line\r\n";
    editor.SetText(text);
    ShowFocused(editor);
    QWheelEvent wheel(QPointF(50, 50), editor.mapToGlobal(QPoint(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(editor.viewport(), &wheel);
    EXPECT_EQ(editor.TopLine().Value(), 3);
    EXPECT_EQ(editor.verticalScrollBar()->value(), 3);
    EXPECT_EQ(editor.Engine().Caret(), MakePosition(0, 0));
}

TEST(Memo, UpAndDownMoveByRowsInWordWrap) {
    std::string longLine;
    for (int i = 0; i < 40; ++i)
        longLine += "word ";
    TMemo memo;
    memo.SetText(longLine + "\r\nend");
    memo.SetWordWrap(true);
    ShowFocused(memo, QSize(300, 300));
    memo.Engine().SetCaret(MakePosition(0, 2));
    QTest::keyClick(&memo, Qt::Key_Down);
    const BufferPosition secondRow = memo.Engine().Caret();
    EXPECT_EQ(secondRow.line.Value(), 0);
    EXPECT_GT(secondRow.column.Value(), 2u);
    EXPECT_EQ(memo.CaretRect().top(), memo.LineHeight());
    QTest::keyClick(&memo, Qt::Key_Up);
    EXPECT_EQ(memo.Engine().Caret(), MakePosition(0, 2));
    QTest::keyClick(&memo, Qt::Key_Up);
    EXPECT_EQ(memo.Engine().Caret(), MakePosition(0, 2));
    memo.SetWordWrap(false);
    QTest::keyClick(&memo, Qt::Key_Down);
    EXPECT_EQ(memo.Engine().Caret(), MakePosition(1, 2));
}

} // namespace
