#include "codeedit/SynHighlighterHtml.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <gtest/gtest.h>

namespace {

const char* const kHtmlSample = "<!DOCTYPE html>\r\n"
                                "<html>\r\n"
                                "<!-- a comment\r\n"
                                "     over two lines -->\r\n"
                                "<body bgcolor=\"#FFFFFF\">\r\n"
                                "  <p class=\"note\">Text &amp; more text</p>\r\n"
                                "  <a href=\"index.html\">Home</a>\r\n"
                                "</body>\r\n"
                                "</html>";

// The area of text row `row` right of the gutter.
QRect TextRow(TSynEdit& editor, int row) {
    const int left = editor.Gutter().Width(editor.Lines().Count());
    return QRect(left, row * editor.LineHeight(), editor.viewport()->width() - left,
                 editor.LineHeight());
}

TEST(SynEditPaint, KeywordsTakeTheirAttributeColourAndPlainTextTheFontColour) {
    TSynHTMLSyn html;
    TSynEdit editor;
    editor.SetHighlighter(&html);
    editor.SetText(kHtmlSample);
    ShowFocused(editor);
    const QImage image = Render(editor);
    const QColor keyColour = ToQColor(html.KeyAttri()->Foreground(), editor.palette());
    const QColor fontColour = editor.palette().color(QPalette::Text);
    ASSERT_NE(keyColour, fontColour);
    // Line 1 "<html>": tag name in the keyword colour.
    EXPECT_TRUE(HasColourIn(image, TextRow(editor, 1), keyColour));
    // The same text without a highlighter has no keyword colour.
    editor.SetHighlighter(nullptr);
    const QImage plain = Render(editor);
    EXPECT_FALSE(HasColourIn(plain, TextRow(editor, 1), keyColour));
    EXPECT_TRUE(HasColourIn(plain, TextRow(editor, 1), fontColour));
}

// Lines far below the first screen are coloured from the lines above them when they come into
// view, also after an edit above them that was made while they were out of view.
TEST(SynEditPaint, LinesScrolledIntoViewTakeTheRangeOfTheLinesAbove) {
    TSynHTMLSyn html;
    TSynEdit editor;
    editor.SetHighlighter(&html);
    std::string text = "<!--\r\n";
    for (int i = 1; i < 3000; ++i)
        text += i == 2000 ? "-->\r\n" : "<html>\r\n";
    editor.SetText(text);
    ShowFocused(editor);
    const QColor keyColour = ToQColor(html.KeyAttri()->Foreground(), editor.palette());
    const struct {
        int topLine; // from 1
        const char* firstLine;
        bool tag;
    } cases[] = {{1500, "<!--", false}, {2500, "<!--", true}, {1500, "", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.topLine);
        editor.Lines().Put(LineIndex(0), c.firstLine);
        editor.SetTopLine(LineIndex(c.topLine));
        const QImage image = Render(editor);
        EXPECT_EQ(HasColourIn(image, TextRow(editor, 1), keyColour), c.tag);
    }
}

TEST(SynEditPaint, DisabledHighlighterPaintsInTheFontAlone) {
    TSynHTMLSyn html;
    TSynEdit editor;
    editor.SetHighlighter(&html);
    editor.SetText("<html>");
    ShowFocused(editor);
    html.SetEnabled(false);
    const QImage image = Render(editor);
    const QColor keyColour = ToQColor(html.KeyAttri()->Foreground(), editor.palette());
    EXPECT_FALSE(HasColourIn(image, TextRow(editor, 0), keyColour));
}

TEST(SynEditPaint, AttributeChangeRepaintsAndWhitespaceBackgroundFillsTheEditor) {
    TSynHTMLSyn html;
    TSynEdit editor;
    editor.SetHighlighter(&html);
    editor.SetText("<html>");
    ShowFocused(editor);
    html.SpaceAttri()->SetBackground(clYellow);
    const QImage image = Render(editor);
    // Far right of the first row and below the text: the whitespace background.
    EXPECT_EQ(QColor(image.pixel(image.width() - 5, 3 * editor.LineHeight())), QColor(Qt::yellow));
}

TEST(SynEditPaint, ScreenshotOfHtmlWithLineNumbersAndBookmark) {
    TSynHTMLSyn html;
    TSynEdit editor;
    editor.SetHighlighter(&html);
    editor.SetText(kHtmlSample);
    editor.Engine().SetBookmark(3, MakePosition(4, 0));
    editor.Engine().SetCaret(MakePosition(5, 5));
    ShowFocused(editor, QSize(560, 200));
    const QImage shot = editor.grab().toImage();
    // The bookmark square sits in the gutter of line 5.
    const int top = 4 * editor.LineHeight();
    EXPECT_TRUE(HasColourIn(shot,
                            QRect(0, top + 2, editor.Gutter().Width(9), editor.LineHeight() - 4),
                            QColor(0x30, 0x60, 0xC0)));
    if (const char* folder = getenv("TABRIX_SCREENSHOT_DIR"))
        shot.save(QString::fromLocal8Bit(folder) + "/code-editor-html.png");
}

} // namespace
