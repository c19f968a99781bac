#include "codeedit/SynHighlighterHtml.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

// Every line break form becomes CR LF, as the editors' text reads back.
std::string WithCrLf(const std::string& bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else {
            out += bytes[i];
        }
    }
    return out;
}

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
