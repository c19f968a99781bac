#include "codeedit/qt/SynEditKeys.h"

#include "codeedit/qt/SynEdit.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <QClipboard>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct TranslationCase {
    int key;
    Qt::KeyboardModifiers modifiers;
    TShortCut expected;
};

TEST(SynEditKeys, QtKeysTranslateToVirtualKeysWithModifierFlags) {
    const TranslationCase cases[] = {
        {Qt::Key_Up, Qt::NoModifier, 0x26},
        {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, 0x25 | scCtrl | scShift},
        {Qt::Key_PageDown, Qt::ControlModifier, 0x22 | scCtrl},
        {Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier, 0x08 | scAlt | scShift},
        {Qt::Key_Backtab, Qt::ShiftModifier, 0x09 | scShift},
        {Qt::Key_Backtab, Qt::NoModifier, 0x09 | scShift},
        {Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier, 'B' | scCtrl | scShift},
        {Qt::Key_3, Qt::ControlModifier, '3' | scCtrl},
        // X11 reports Shift+3 as '#'; it is still the 3 key.
        {Qt::Key_NumberSign, Qt::ControlModifier | Qt::ShiftModifier, '3' | scCtrl | scShift},
        {Qt::Key_ParenRight, Qt::ControlModifier | Qt::ShiftModifier, '0' | scCtrl | scShift},
        {Qt::Key_F1, Qt::ControlModifier, 0x70 | scCtrl},
        {Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, 0x6D | scCtrl},
        {Qt::Key_5, Qt::KeypadModifier, 0x65},
        {Qt::Key_Shift, Qt::ShiftModifier, 0},
    };
    for (const TranslationCase& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers);
        EXPECT_EQ(ShortCutOfKeyEvent(event), c.expected) << "key 0x" << std::hex << c.key;
    }
}

struct Stroke {
    int key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

struct BindingCase {
    const char* name;
    const char* text;
    BufferPosition caret;
    std::vector<Stroke> strokes;
    const char* expectedText;
    BufferPosition expectedCaret;
    const char* expectedSelection;
};

constexpr auto Ctrl = Qt::ControlModifier;
constexpr auto Shift = Qt::ShiftModifier;
constexpr auto Alt = Qt::AltModifier;

TEST(SynEditKeys, CodeEditorBindingsWorkThroughRealKeyEvents) {
    const BindingCase cases[] = {
        {"Right", "abc", MakePosition(0, 0), {{Qt::Key_Right}}, "abc", MakePosition(0, 1), ""},
        {"Ctrl+Right",
         "foo bar",
         MakePosition(0, 0),
         {{Qt::Key_Right, Ctrl}},
         "foo bar",
         MakePosition(0, 4),
         ""},
        {"Down",
         "abc\r\nde",
         MakePosition(0, 2),
         {{Qt::Key_Down}},
         "abc\r\nde",
         MakePosition(1, 2),
         ""},
        {"End", "abc", MakePosition(0, 0), {{Qt::Key_End}}, "abc", MakePosition(0, 3), ""},
        {"Ctrl+End",
         "a\r\nbc",
         MakePosition(0, 0),
         {{Qt::Key_End, Ctrl}},
         "a\r\nbc",
         MakePosition(1, 2),
         ""},
        {"Ctrl+Home",
         "a\r\nbc",
         MakePosition(1, 1),
         {{Qt::Key_Home, Ctrl}},
         "a\r\nbc",
         MakePosition(0, 0),
         ""},
        {"Shift+End",
         "hello",
         MakePosition(0, 1),
         {{Qt::Key_End, Shift}},
         "hello",
         MakePosition(0, 5),
         "ello"},
        {"Ctrl+Shift+Left",
         "foo bar",
         MakePosition(0, 7),
         {{Qt::Key_Left, Ctrl | Shift}},
         "foo bar",
         MakePosition(0, 4),
         "bar"},
        {"Ctrl+A",
         "a\r\nb",
         MakePosition(0, 0),
         {{Qt::Key_A, Ctrl}},
         "a\r\nb",
         MakePosition(1, 1),
         "a\r\nb"},
        {"Backspace",
         "abc",
         MakePosition(0, 3),
         {{Qt::Key_Backspace}},
         "ab",
         MakePosition(0, 2),
         ""},
        {"Delete", "abc", MakePosition(0, 0), {{Qt::Key_Delete}}, "bc", MakePosition(0, 0), ""},
        {"Ctrl+Backspace",
         "foo bar",
         MakePosition(0, 7),
         {{Qt::Key_Backspace, Ctrl}},
         "foo ",
         MakePosition(0, 4),
         ""},
        {"Ctrl+Y", "a\r\nb", MakePosition(0, 0), {{Qt::Key_Y, Ctrl}}, "b", MakePosition(0, 0), ""},
        {"Ctrl+Shift+Y",
         "hello",
         MakePosition(0, 2),
         {{Qt::Key_Y, Ctrl | Shift}},
         "he",
         MakePosition(0, 2),
         ""},
        {"Enter", "ab", MakePosition(0, 1), {{Qt::Key_Return}}, "a\r\nb", MakePosition(1, 0), ""},
        {"Ctrl+M", "ab", MakePosition(0, 1), {{Qt::Key_M, Ctrl}}, "a\r\nb", MakePosition(1, 0), ""},
        {"Insert then type overwrites",
         "abc",
         MakePosition(0, 0),
         {{Qt::Key_Insert}, {Qt::Key_X}},
         "xbc",
         MakePosition(0, 1),
         ""},
        {"Copy and paste",
         "ab",
         MakePosition(0, 0),
         {{Qt::Key_End, Shift}, {Qt::Key_C, Ctrl}, {Qt::Key_End}, {Qt::Key_V, Ctrl}},
         "abab",
         MakePosition(0, 4),
         ""},
        {"Shift+Delete cuts, Shift+Insert pastes",
         "ab",
         MakePosition(0, 0),
         {{Qt::Key_Right, Shift}, {Qt::Key_Delete, Shift}, {Qt::Key_End}, {Qt::Key_Insert, Shift}},
         "ba",
         MakePosition(0, 2),
         ""},
        {"Ctrl+Z",
         "ab",
         MakePosition(0, 2),
         {{Qt::Key_X}, {Qt::Key_Z, Ctrl}},
         "ab",
         MakePosition(0, 2),
         ""},
        {"Ctrl+Shift+Z",
         "ab",
         MakePosition(0, 2),
         {{Qt::Key_X}, {Qt::Key_Z, Ctrl}, {Qt::Key_Z, Ctrl | Shift}},
         "abx",
         MakePosition(0, 3),
         ""},
        {"Alt+Backspace",
         "ab",
         MakePosition(0, 2),
         {{Qt::Key_X}, {Qt::Key_Backspace, Alt}},
         "ab",
         MakePosition(0, 2),
         ""},
        {"Alt+Shift+Backspace",
         "ab",
         MakePosition(0, 2),
         {{Qt::Key_X}, {Qt::Key_Backspace, Alt}, {Qt::Key_Backspace, Alt | Shift}},
         "abx",
         MakePosition(0, 3),
         ""},
        {"Ctrl+Shift+3 then Ctrl+3",
         "a\r\nb\r\nc\r\nd",
         MakePosition(2, 1),
         {{Qt::Key_3, Ctrl | Shift}, {Qt::Key_Home, Ctrl}, {Qt::Key_3, Ctrl}},
         "a\r\nb\r\nc\r\nd",
         MakePosition(2, 1),
         ""},
        {"Ctrl+Shift+B",
         "(a[b]c)",
         MakePosition(0, 0),
         {{Qt::Key_B, Ctrl | Shift}},
         "(a[b]c)",
         MakePosition(0, 6),
         ""},
        {"Typed characters",
         "",
         MakePosition(0, 0),
         {{Qt::Key_H}, {Qt::Key_I}},
         "hi",
         MakePosition(0, 2),
         ""},
    };
    for (const BindingCase& c : cases) {
        SCOPED_TRACE(c.name);
        TSynEdit editor;
        editor.SetText(c.text);
        ShowFocused(editor);
        editor.Engine().SetCaret(c.caret);
        for (const Stroke& stroke : c.strokes)
            QTest::keyClick(&editor, Qt::Key(stroke.key), stroke.modifiers);
        EXPECT_EQ(editor.Text(), c.expectedText);
        EXPECT_EQ(editor.Engine().Caret(), c.expectedCaret);
        EXPECT_EQ(editor.SelText(), c.expectedSelection);
    }
}

TEST(SynEditKeys, BookmarkShowsInTheGutterAndTabStaysInTheEditor) {
    TSynEdit editor;
    editor.SetText("one\r\ntwo\r\nthree");
    ShowFocused(editor);
    editor.Engine().SetCaret(MakePosition(1, 0));
    QTest::keyClick(&editor, Qt::Key_5, Ctrl | Shift);
    ASSERT_TRUE(editor.Engine().GetBookmark(5).has_value());
    const QImage image = Render(editor);
    const int top = editor.LineHeight();
    EXPECT_TRUE(HasColourIn(image, QRect(0, top + 2, editor.Gutter().Width(3), top - 4),
                            QColor(0x30, 0x60, 0xC0)));
    QTest::keyClick(&editor, Qt::Key_Tab);
    EXPECT_TRUE(editor.hasFocus());
    EXPECT_NE(editor.Text(), "one\r\ntwo\r\nthree");
}

} // namespace
