#include "codeedit/SynHighlighterHtml.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "support/ByteStrings.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <QScrollBar>
#include <gtest/gtest.h>
#include <initializer_list>

namespace {

std::string AllByteValues() {
    std::string bytes;
    for (int round = 0; round < 4; ++round)
        for (int value = 0; value < 256; ++value)
            bytes += char(value);
    return bytes;
}

void PaintAndGoToEnd(TSynEditWidget& editor) {
    ShowFocused(editor);
    Render(editor);
    QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
    Render(editor);
    const QRect caret = editor.CaretRect();
    EXPECT_FALSE(caret.isNull());
    EXPECT_TRUE(editor.viewport()->rect().contains(caret.center()))
        << caret.x() << "," << caret.y() << " in " << editor.viewport()->width() << "x"
        << editor.viewport()->height() << " h=" << editor.horizontalScrollBar()->value();
}

TEST(EditorRobustness, TenMegabyteLineShowsItsEnd) {
    std::string line;
    line.reserve(10u << 20);
    while (line.size() < (10u << 20))
        line += "<p class=\"x\">text &amp; more</p>\t";
    TSynHTMLSyn html;
    TSynEdit editor;
    editor.SetHighlighter(&html);
    editor.SetText(line);
    PaintAndGoToEnd(editor);
    EXPECT_EQ(editor.Engine().Caret(), MakePosition(0, line.size()));

    TMemo memo;
    memo.SetText(line);
    PaintAndGoToEnd(memo);
    memo.SetWordWrap(true);
    PaintAndGoToEnd(memo);
    EXPECT_EQ(memo.Text().size(), line.size());
}

TEST(EditorRobustness, LineWiderThanIntCanCountScrollsAsFarAsItGoes) {
    // Three tabs this wide span some 10^10 pixels, as a line of a few hundred MB does.
    TSynHTMLSyn html;
    TSynEdit code;
    code.SetHighlighter(&html);
    TMemo memo;
    for (TSynEditWidget* editor : std::initializer_list<TSynEditWidget*>{&code, &memo}) {
        SCOPED_TRACE(editor == &code ? "code editor" : "plain editor");
        editor->SetTabWidth(400'000'000);
        editor->Engine().SetText("\t\t\tend\r\nshort");
        ShowFocused(*editor);
        Render(*editor);
        QScrollBar* bar = editor->horizontalScrollBar();
        QTest::keyClick(editor, Qt::Key_End);
        Render(*editor);
        EXPECT_GT(bar->maximum(), 1 << 29);
        EXPECT_EQ(bar->value(), bar->maximum());
        // The caret lies beyond the farthest scroll position: off to the right, not wrapped
        // round to the left.
        EXPECT_GE(editor->CaretRect().left(), editor->viewport()->width());

        QTest::keyClick(editor, Qt::Key_Home);
        Render(*editor);
        EXPECT_EQ(bar->value(), 0);
        EXPECT_TRUE(editor->viewport()->rect().contains(editor->CaretRect().center()));
    }
}

TEST(EditorRobustness, BinaryBytesPaintAndComeBackUnchanged) {
    const std::string bytes = AllByteValues();
    TSynHTMLSyn html;
    TSynEdit editor;
    editor.SetHighlighter(&html);
    editor.SetText(bytes);
    PaintAndGoToEnd(editor);
    EXPECT_EQ(editor.Text(), WithCrLf(bytes));

    TMemo memo;
    memo.SetText(bytes);
    PaintAndGoToEnd(memo);
    EXPECT_EQ(memo.Text(), WithCrLf(bytes));
}

} // namespace
