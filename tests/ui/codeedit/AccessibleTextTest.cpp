#include "codeedit/qt/Memo.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <gtest/gtest.h>

namespace {

// Three lines: a word pair, an empty line, and é (two bytes), 😀 (four bytes, two UTF-16
// units), a space and x. Read as "ab cd\n\né😀 x": twelve units.
constexpr std::string_view kText = "ab cd\r\n\r\n\xC3\xA9\xF0\x9F\x98\x80 x";

// A plain editor holding kText, and its text interface.
class AccessibleTextOfThreeLines : public testing::Test {
protected:
    void SetUp() override {
        memo.SetText(kText);
        text = TextOf(memo);
        ASSERT_NE(text, nullptr);
    }

    Utf8Program utf8;
    TMemo memo;
    QAccessibleTextInterface* text = nullptr;
};

struct BoundaryCase {
    const char* name;
    QAccessible::TextBoundaryType type;
    int offset;
    const char* at;
    int atStart, atEnd;
};

TEST_F(AccessibleTextOfThreeLines, UnitsAtAnOffsetByCharacterWordAndLine) {
    EXPECT_EQ(text->characterCount(), 12);
    const BoundaryCase cases[] = {
        {"first character", QAccessible::CharBoundary, 0, "a", 0, 1},
        {"break after a line", QAccessible::CharBoundary, 5, "\n", 5, 6},
        {"empty line's break", QAccessible::CharBoundary, 6, "\n", 6, 7},
        {"two-byte character", QAccessible::CharBoundary, 7, "\xC3\xA9", 7, 8},
        {"surrogate pair", QAccessible::CharBoundary, 8, "\xF0\x9F\x98\x80", 8, 10},
        {"inside a surrogate pair", QAccessible::CharBoundary, 9, "\xF0\x9F\x98\x80", 8, 10},
        {"end of text", QAccessible::CharBoundary, 12, "", 12, 12},
        {"past the end", QAccessible::CharBoundary, 99, "", 12, 12},
        {"negative offset", QAccessible::CharBoundary, -3, "a", 0, 1},
        {"first word", QAccessible::WordBoundary, 1, "ab", 0, 2},
        {"word before a break", QAccessible::WordBoundary, 3, "cd", 3, 5},
        {"last word", QAccessible::WordBoundary, 11, "x", 11, 12},
        {"first line with its break", QAccessible::LineBoundary, 2, "ab cd\n", 0, 6},
        {"line at its break", QAccessible::LineBoundary, 5, "ab cd\n", 0, 6},
        {"empty line", QAccessible::LineBoundary, 6, "\n", 6, 7},
        {"last line, no break", QAccessible::LineBoundary, 12, "\xC3\xA9\xF0\x9F\x98\x80 x", 7, 12},
        {"line past the end", QAccessible::LineBoundary, 99, "\xC3\xA9\xF0\x9F\x98\x80 x", 7, 12},
    };
    for (const BoundaryCase& c : cases) {
        int start = -1, end = -1;
        EXPECT_EQ(text->textAtOffset(c.offset, c.type, &start, &end), QString::fromUtf8(c.at))
            << c.name;
        EXPECT_EQ(start, c.atStart) << c.name;
        EXPECT_EQ(end, c.atEnd) << c.name;
    }
}

TEST_F(AccessibleTextOfThreeLines, UnitsBeforeAndAfterAnOffset) {
    struct Case {
        const char* name;
        bool before;
        QAccessible::TextBoundaryType type;
        int offset;
        const char* found;
        int start, end;
    };
    const Case cases[] = {
        {"character before a pair's end", true, QAccessible::CharBoundary, 10, "\xF0\x9F\x98\x80",
         8, 10},
        {"character before the start", true, QAccessible::CharBoundary, 0, "", 0, 0},
        {"character before the end", true, QAccessible::CharBoundary, 12, "x", 11, 12},
        {"line before the last", true, QAccessible::LineBoundary, 9, "\n", 6, 7},
        {"line before the first", true, QAccessible::LineBoundary, 3, "", 0, 0},
        {"word before a word", true, QAccessible::WordBoundary, 3, " ", 2, 3},
        {"character after a line's end", false, QAccessible::CharBoundary, 5, "\n", 6, 7},
        {"line after the first", false, QAccessible::LineBoundary, 0, "\n", 6, 7},
        {"line after the last", false, QAccessible::LineBoundary, 8, "", 12, 12},
        {"word after a word", false, QAccessible::WordBoundary, 0, " ", 2, 3},
        {"character after the end", false, QAccessible::CharBoundary, 40, "", 12, 12},
    };
    for (const Case& c : cases) {
        int start = -1, end = -1;
        const QString found = c.before ? text->textBeforeOffset(c.offset, c.type, &start, &end)
                                       : text->textAfterOffset(c.offset, c.type, &start, &end);
        EXPECT_EQ(found, QString::fromUtf8(c.found)) << c.name;
        EXPECT_EQ(start, c.start) << c.name;
        EXPECT_EQ(end, c.end) << c.name;
    }
}

TEST_F(AccessibleTextOfThreeLines, RangesOfTextAcrossLines) {
    struct Case {
        int start, end;
        const char* expected;
    };
    const Case cases[] = {
        {0, 12, "ab cd\n\n\xC3\xA9\xF0\x9F\x98\x80 x"},
        {4, 8, "d\n\n\xC3\xA9"},
        {8, 10, "\xF0\x9F\x98\x80"},
        {10, 99, " x"},
        {6, 4, "d\n"},
        {5, 5, ""},
        {-5, 1, "a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text->text(c.start, c.end), QString::fromUtf8(c.expected))
            << c.start << ".." << c.end;
}

TEST(AccessibleText, CaretSelectionAndEditsMapToTheEngine) {
    Utf8Program utf8;
    TMemo memo;
    memo.SetText(kText);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&memo);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    EXPECT_TRUE(accessible->state().multiLine);
    QAccessibleTextInterface* text = accessible->textInterface();
    QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
    ASSERT_NE(text, nullptr);
    ASSERT_NE(editable, nullptr);

    memo.Engine().SetCaret(MakePosition(2, 2));
    EXPECT_EQ(text->cursorPosition(), 8);
    text->setCursorPosition(10);
    EXPECT_EQ(memo.Engine().Caret(), MakePosition(2, 6));

    EXPECT_EQ(text->selectionCount(), 0);
    text->setSelection(0, 3, 8);
    EXPECT_EQ(memo.SelText(), "cd\r\n\r\n\xC3\xA9");
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 8);
    text->removeSelection(0);
    EXPECT_EQ(text->selectionCount(), 0);

    editable->insertText(11, QStringLiteral("y"));
    EXPECT_EQ(text->text(7, 13), QString::fromUtf8("\xC3\xA9\xF0\x9F\x98\x80 yx"));
    editable->deleteText(5, 7);
    EXPECT_EQ(memo.Text(), "ab cd\xC3\xA9\xF0\x9F\x98\x80 yx");
    editable->replaceText(0, 2, QStringLiteral("Z"));
    EXPECT_EQ(memo.Text(), "Z cd\xC3\xA9\xF0\x9F\x98\x80 yx");
    memo.Undo();
    memo.Undo();
    memo.Undo();
    EXPECT_EQ(memo.Text(), kText);

    memo.SetReadOnly(true);
    editable->insertText(0, QStringLiteral("no"));
    EXPECT_EQ(memo.Text(), kText);
}

TEST(AccessibleText, CharacterRectsAndPointsAgree) {
    TMemo memo;
    memo.SetText("abc\r\ndef");
    ShowFocused(memo);
    QAccessibleTextInterface* text = TextOf(memo);
    ASSERT_NE(text, nullptr);
    const QRect b = text->characterRect(1);
    const QRect e = text->characterRect(5);
    ASSERT_FALSE(b.isEmpty());
    EXPECT_GT(e.top(), b.top());
    EXPECT_EQ(text->offsetAtPoint(b.center()), 1);
    EXPECT_EQ(text->offsetAtPoint(e.center()), 5);
    EXPECT_LT(text->offsetAtPoint(b.topLeft() - QPoint(0, 200)), 0);
}

} // namespace
