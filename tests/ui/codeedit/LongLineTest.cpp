#include "codeedit/SynHighlighterHtml.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <QScrollBar>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A line far longer than the widget walks from its start: words, tabs, two- and three-byte
// characters, control characters and bytes that are none.
std::string LongLine() {
    std::string line;
    for (int i = 0; line.size() < 200000; ++i)
        line += i % 7 == 0    ? "\t<a href=\"x\">caf\xC3\xA9</a> "
                : i % 23 == 0 ? "\x01\x7F\xFF "
                              : "w\xE2\x82\xAC"
                                "rd ";
    return line;
}

// The caret's x from the line start, against a fresh walk of the whole line.
void ExpectCaretAtWalkedX(TSynEditWidget& editor, std::size_t column) {
    editor.Engine().SetCaret(MakePosition(0, column));
    const std::string_view text = editor.Lines().Get(LineIndex(0));
    QFont font = editor.Font();
    font.setKerning(false);
    TSynTextMetrics metrics(font, editor.TabWidth());
    const qreal walked =
        XOfColumn(text, 0, text.size(), column, editor.Engine().TextEncoding(), metrics);
    const int scrolled = editor.horizontalScrollBar()->value();
    const QRect caret = editor.CaretRect();
    ASSERT_FALSE(caret.isNull()) << "column " << column;
    EXPECT_EQ(caret.left(), int(std::floor(2 - scrolled + walked))) << "column " << column;
    // A click on the caret's left edge puts the caret back there.
    const BufferPosition clicked = editor.PositionAt(QPoint(caret.left() + 1, caret.center().y()));
    EXPECT_EQ(clicked.column.Value(), column) << "column " << column;
}

class LongLineInFont : public testing::TestWithParam<const char*> {};

// In a fixed-pitch font and in a proportional one.
TEST_P(LongLineInFont, CaretAndClicksAgreeWithAWalkFromTheLineStartAfterEdits) {
    TMemo memo;
    QFont font(QString::fromLatin1(GetParam()));
    font.setPixelSize(13);
    memo.SetFont(font);
    memo.SetText(LongLine());
    ShowFocused(memo);
    const std::size_t middle = memo.Lines().Get(LineIndex(0)).find(' ', 100000) + 1;
    const struct {
        const char* name;
        std::function<void(TMemo&)> edit;
    } edits[] = {
        {"none", [](TMemo&) {}},
        {"a tab typed mid-line",
         [&](TMemo& m) {
             m.Engine().SetCaret(MakePosition(0, middle));
             m.ExecuteCommand(ecChar, "\t");
         }},
        {"a three-byte character typed",
         [&](TMemo& m) {
             m.Engine().SetCaret(MakePosition(0, middle));
             m.ExecuteCommand(ecChar, "\xE2\x82\xAC");
         }},
        {"a character deleted",
         [&](TMemo& m) {
             m.Engine().SetCaret(MakePosition(0, middle));
             m.ExecuteCommand(ecDeleteChar);
         }},
        {"undone", [](TMemo& m) { m.Undo(); }},
        {"near the start",
         [](TMemo& m) {
             m.Engine().SetCaret(MakePosition(0, 3));
             m.ExecuteCommand(ecChar, "xx");
         }},
    };
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.name);
        edit.edit(memo);
        const std::size_t size = memo.Lines().Get(LineIndex(0)).size();
        // Columns before and after the edit, on checkpoints and between them.
        for (std::size_t column : {std::size_t(0), std::size_t(5000), middle - 1, middle,
                                   middle + 4096, size - 1, size}) {
            column = memo.Engine().Clamp(MakePosition(0, column)).column.Value();
            ExpectCaretAtWalkedX(memo, column);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fonts, LongLineInFont, testing::Values("DejaVu Sans Mono", "DejaVu Sans"));

// A view far into a long line whose scan would hold up a frame is painted in the font alone
// first, and coloured over the next frames by itself, as a view whose scan was done at once.
TEST(LongLine, AViewFarIntoALongLineIsColouredByItselfOverTheNextFrames) {
    std::string line;
    for (int i = 0; line.size() < (3u << 20); ++i)
        line += "<div class=\"c" + std::to_string(i % 97) + "\">text &amp; more</div>";
    TSynHTMLSyn html;
    TSynEdit deferred, whole;
    for (TSynEdit* editor : {&deferred, &whole}) {
        editor->SetHighlighter(&html);
        ShowFocused(*editor);
        editor->clearFocus();
    }
    deferred.SetText(line);
    // A line after it needs the range at the long line's end: that scans the line whole.
    whole.SetText(line + "\r\n");
    for (TSynEdit* editor : {&deferred, &whole})
        editor->Engine().SetCaret(MakePosition(0, line.size()));
    const QRect firstRow(0, 0, whole.viewport()->width(), whole.LineHeight());
    const QImage coloured = Render(whole).copy(firstRow);
    EXPECT_FALSE(Render(deferred).copy(firstRow) == coloured) << "painted at once";
    for (int frame = 0; frame < 100; ++frame)
        QCoreApplication::processEvents();
    EXPECT_TRUE(Render(deferred).copy(firstRow) == coloured);
}

// The view far along a line paints the same after edits to its left as a fresh editor with the
// same text does; code view and plain, wrap off and on.
TEST(LongLine, PaintingAfterEditsMatchesAFreshEditor) {
    for (const bool highlighted : {false, true})
        for (const bool wrap : {false, true}) {
            SCOPED_TRACE(std::string(highlighted ? "code" : "plain") + (wrap ? " wrap" : ""));
            TSynHTMLSyn html;
            TSynEdit edited, fresh;
            for (TSynEdit* editor : {&edited, &fresh}) {
                editor->SetHighlighter(highlighted ? &html : nullptr);
                editor->SetWordWrap(wrap);
                editor->SetText(LongLine());
                ShowFocused(*editor);
            }
            const std::size_t far = 150000;
            edited.Engine().SetCaret(MakePosition(0, far));
            edited.viewport()->repaint();
            // Widths change left of the view and then come back to the same text.
            edited.Engine().SetCaret(MakePosition(0, 70000));
            for (const char* typed : {"\t", "\xC3\xA9", "<b>"})
                edited.ExecuteCommand(ecChar, typed);
            edited.viewport()->repaint();
            for (int i = 0; i < 5; ++i)
                edited.ExecuteCommand(ecDeleteLastChar);
            for (TSynEdit* editor : {&edited, &fresh}) {
                editor->Engine().SetCaret(MakePosition(0, far));
            }
            ASSERT_EQ(edited.Lines().Get(LineIndex(0)), fresh.Lines().Get(LineIndex(0)));
            ASSERT_EQ(edited.CaretRect(), fresh.CaretRect());
            // Only one of them can have the focus, and with it the caret.
            edited.clearFocus();
            fresh.clearFocus();
            EXPECT_EQ(edited.horizontalScrollBar()->value(), fresh.horizontalScrollBar()->value());
            EXPECT_TRUE(Render(edited) == Render(fresh));
        }
}

// Enter cuts the long line in two far along it and Backspace joins the halves again: after
// each, and after Undo and Redo, caret and view are those of a fresh editor with the same
// text, at the cut and at the ends, whose rows a wrapped view makes later; code view and
// plain, wrap off and on.
TEST(LongLine, CuttingAndJoiningALongLineShowsAsAFreshEditor) {
    for (const bool highlighted : {false, true})
        for (const bool wrap : {false, true}) {
            SCOPED_TRACE(std::string(highlighted ? "code" : "plain") + (wrap ? " wrap" : ""));
            TSynHTMLSyn html;
            const auto setUp = [&](TSynEdit& editor, const std::string& text) {
                editor.SetHighlighter(highlighted ? &html : nullptr);
                editor.SetWordWrap(wrap);
                editor.SetText(text);
                ShowFocused(editor);
            };
            TSynEdit edited;
            setUp(edited, LongLine());
            const std::size_t size = edited.Lines().Get(LineIndex(0)).size();
            const BufferPosition cut = edited.Engine().Clamp(MakePosition(0, 120000));
            // Columns, rows and colours are known far along before the cut.
            for (const std::size_t column : {size, cut.column.Value()}) {
                edited.Engine().SetCaret(MakePosition(0, column));
                edited.viewport()->repaint();
            }
            const struct {
                const char* name;
                std::function<void()> step;
            } steps[] = {
                {"Enter", [&] { edited.ExecuteCommand(ecLineBreak); }},
                {"Backspace", [&] { edited.ExecuteCommand(ecDeleteLastChar); }},
                {"undone", [&] { edited.Undo(); }},
                {"redone", [&] { edited.Redo(); }},
            };
            for (const auto& step : steps) {
                SCOPED_TRACE(step.name);
                step.step();
                edited.viewport()->repaint();
                const BufferPosition caret = edited.Engine().Caret();
                TSynEdit fresh;
                setUp(fresh, edited.Engine().Text());
                // Only one of them can have the focus, and with it the caret.
                fresh.clearFocus();
                const LineIndex last(edited.Engine().LineCount() - 1);
                for (const BufferPosition position :
                     {caret, edited.Engine().EndOfText(),
                      edited.Engine().Clamp(MakePosition(0, 90000)),
                      BufferPosition{last,
                                     ByteColumn(edited.Engine().LineText(last).size() / 2)}}) {
                    SCOPED_TRACE(testing::Message() << "at " << position.line.Value() << ":"
                                                    << position.column.Value());
                    // From the text's start, so that both scroll alike.
                    for (TSynEdit* editor : {&edited, &fresh}) {
                        editor->Engine().SetCaret(BufferPosition{});
                        editor->Engine().SetCaret(editor->Engine().Clamp(position));
                    }
                    ASSERT_EQ(edited.CaretRect(), fresh.CaretRect());
                    // The edited editor has seen a wider line: its scroll bar may take rows.
                    const QRect shared = Render(edited).rect() & Render(fresh).rect();
                    EXPECT_TRUE(Render(edited).copy(shared) == Render(fresh).copy(shared));
                }
                edited.Engine().SetCaret(caret);
            }
        }
}

} // namespace
