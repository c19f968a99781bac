#include "richedit/qt/RichEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

void ShowFocused(QWidget& widget) {
    widget.resize(400, 300);
    widget.show();
    QApplication::setActiveWindow(&widget);
    widget.setFocus();
    QCoreApplication::processEvents();
}

void MakeBold(TRxRichEdit& editor) {
    editor.selectAll();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    editor.textCursor().mergeCharFormat(bold);
}

TEST(RichEditTest, LinesAreParagraphsSplitAtLineBreaks) {
    const struct {
        QStringList lines;
        QStringList expected;
    } cases[] = {
        {{}, {}},
        {{"one"}, {"one"}},
        {{"one", "two", "", "four"}, {"one", "two", "", "four"}},
        {{"trailing", ""}, {"trailing", ""}},
        {{"tab\there"}, {"tab\there"}},
        {{"", ""}, {"", ""}},
    };
    for (const auto& c : cases) {
        TRxRichEdit editor;
        editor.SetLines(c.lines);
        EXPECT_EQ(editor.Lines(), c.expected) << c.lines.join('|').toStdString();
    }
    TRxRichEdit editor;
    editor.insertPlainText(QString("a") + QChar::LineSeparator + "b");
    editor.textCursor().insertBlock();
    editor.insertPlainText("c");
    EXPECT_EQ(editor.Lines(), (QStringList{"a", "b", "c"}));
}

TEST(RichEditTest, ReplacingFromCodeSignalsAChangeAndLeavesNothingToUndo) {
    TRxRichEdit editor;
    QSignalSpy changed(&editor, &TRxRichEdit::Changed);
    editor.SetLines({"a", "b"});
    EXPECT_GE(changed.count(), 1);
    EXPECT_FALSE(editor.CanUndo());
    EXPECT_EQ(editor.CaretPos(), QPoint(0, 0));

    changed.clear();
    editor.Clear();
    EXPECT_GE(changed.count(), 1);
    EXPECT_TRUE(editor.Lines().isEmpty());
    EXPECT_FALSE(editor.CanUndo());

    // Appearance is no change of the text.
    changed.clear();
    editor.SetLines({"x"});
    changed.clear();
    editor.SetFont(QFont("DejaVu Serif", 15));
    editor.SetColor(Qt::yellow);
    editor.SetFontColor(Qt::darkBlue);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(editor.Font().family(), "DejaVu Serif");
    EXPECT_EQ(editor.Color(), QColor(Qt::yellow));
    EXPECT_EQ(editor.FontColor(), QColor(Qt::darkBlue));
}

TEST(RichEditTest, LinesFromCodeAreUnformattedInTheEditorsFont) {
    TRxRichEdit editor;
    editor.SetFont(QFont("DejaVu Serif", 15));
    editor.SetLines({"bold before"});
    MakeBold(editor);
    editor.SetLines({"plain now"});
    editor.moveCursor(QTextCursor::End);
    const QFont font = editor.textCursor().charFormat().font().resolve(editor.Font());
    EXPECT_LT(font.weight(), QFont::DemiBold);
    EXPECT_EQ(font.family(), "DejaVu Serif");
}

TEST(RichEditTest, CaretIsColumnAndLineFromZero) {
    TRxRichEdit editor;
    editor.SetLines({"first", "", "third line"});
    editor.textCursor().insertText(QString("a") + QChar::LineSeparator);
    // Now: "a", "first", "", "third line"
    const struct {
        QPoint set;
        QPoint expected;
    } cases[] = {
        {{0, 0}, {0, 0}}, {{1, 0}, {1, 0}}, {{3, 1}, {3, 1}},   {{5, 1}, {5, 1}},  {{9, 1}, {5, 1}},
        {{0, 2}, {0, 2}}, {{4, 2}, {0, 2}}, {{10, 3}, {10, 3}}, {{-2, 3}, {0, 3}},
    };
    for (const auto& c : cases) {
        editor.SetCaretPos(c.set);
        EXPECT_EQ(editor.CaretPos(), c.expected) << c.set.x() << "," << c.set.y();
    }
    editor.SetCaretPos({2, 3});
    for (const QPoint nowhere : {QPoint(0, 4), QPoint(0, -1), QPoint(1, 99)}) {
        editor.SetCaretPos(nowhere);
        EXPECT_EQ(editor.CaretPos(), QPoint(2, 3));
    }
}

TEST(RichEditTest, TabKeyTypesATabAndUndoTakesBackOneEdit) {
    TRxRichEdit editor;
    ShowFocused(editor);
    editor.SetLines({"x"});
    editor.moveCursor(QTextCursor::End);
    QTest::keyClick(&editor, Qt::Key_Tab);
    EXPECT_EQ(editor.Lines(), QStringList{"x\t"});
    EXPECT_TRUE(editor.hasFocus());
    EXPECT_TRUE(editor.CanUndo());

    QTest::keyClick(&editor, Qt::Key_Return);
    QTest::keyClicks(&editor, "yz");
    editor.Undo();
    EXPECT_EQ(editor.Lines(), (QStringList{"x\t", ""}));
    editor.Undo();
    editor.Undo();
    EXPECT_EQ(editor.Lines(), QStringList{"x"});
    EXPECT_FALSE(editor.CanUndo());
    editor.Undo();
    EXPECT_EQ(editor.Lines(), QStringList{"x"});
}

TEST(RichEditTest, ClipboardCommands) {
    TRxRichEdit editor;
    editor.SetLines({"cut me", "keep"});
    editor.SetCaretPos({0, 0});
    QTextCursor cursor = editor.textCursor();
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    editor.CutToClipboard();
    EXPECT_EQ(QApplication::clipboard()->text(), "cut me");
    EXPECT_EQ(editor.Lines(), (QStringList{"", "keep"}));

    editor.SetCaretPos({4, 1});
    editor.PasteFromClipboard();
    EXPECT_EQ(editor.Lines(), (QStringList{"", "keepcut me"}));

    editor.SelectAll();
    editor.CopyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->text(), "\nkeepcut me");
    editor.ClearSelection();
    EXPECT_TRUE(editor.Lines().isEmpty() || editor.Lines() == QStringList{""});
}

TEST(RichEditTest, SelectionStaysVisibleWithoutFocus) {
    QWidget window;
    // A style that greys out the selection of inactive widgets.
    QPalette colors = window.palette();
    colors.setColor(QPalette::Active, QPalette::Highlight, QColor(10, 20, 200));
    colors.setColor(QPalette::Inactive, QPalette::Highlight, QColor(150, 150, 150));
    window.setPalette(colors);
    auto* editor = new TRxRichEdit(&window);
    auto* other = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(editor);
    layout->addWidget(other);
    editor->SetLines({"selected text"});
    editor->SelectAll();
    ShowFocused(window);
    other->setFocus();
    QCoreApplication::processEvents();
    ASSERT_FALSE(editor->hasFocus());
    const QColor highlight(10, 20, 200);
    const QImage image = editor->viewport()->grab().toImage();
    bool found = false;
    for (int y = 0; y < image.height() && !found; ++y) {
        for (int x = 0; x < image.width() && !found; ++x) {
            found = image.pixelColor(x, y) == highlight;
        }
    }
    EXPECT_TRUE(found);
}

TEST(RichEditTest, KeyAndMouseEventsReachTheWindow) {
    TRxRichEdit editor;
    ShowFocused(editor);
    int pressed = 0, released = 0, mouseDown = 0, mouseMoved = 0;
    QObject::connect(&editor, &TRxRichEdit::KeyPressed, [&](QKeyEvent*) { ++pressed; });
    QObject::connect(&editor, &TRxRichEdit::KeyReleased, [&](QKeyEvent*) { ++released; });
    QObject::connect(&editor, &TRxRichEdit::MousePressed, [&](QMouseEvent*) { ++mouseDown; });
    QObject::connect(&editor, &TRxRichEdit::MouseMoved, [&](QMouseEvent*) { ++mouseMoved; });
    QTest::keyClick(&editor, Qt::Key_A);
    QTest::mousePress(editor.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(editor.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 5),
                     editor.viewport()->mapToGlobal(QPointF(20, 5)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(editor.viewport(), &move);
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(released, 1);
    EXPECT_EQ(mouseDown, 1);
    EXPECT_EQ(mouseMoved, 1);
    EXPECT_EQ(editor.Lines(), QStringList{"a"});
}

} // namespace
