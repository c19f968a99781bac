// The Functions menu on a real window: each item changes the current plain editor by its rule,
// keeps the old text for Undo and leaves the Modified flag alone when nothing changes.

#include "MainWindowFixture.h"
#include "textfuncs/LineList.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <cctype>
#include <functional>
#include <set>

namespace {

class TextFunctionsTest : public MainWindowTest {
protected:
    void Click(const char* item) {
        QAction* action = window->findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }
    std::string Text() { return window->CurrentPlainEditor()->Text(); }
    void SetText(const std::string& text) {
        window->CurrentPlainEditor()->SetText(text);
        window->CurrentDocument().Modified = false;
    }
};

TEST_F(TextFunctionsTest, EachItemGivesItsResultBackByItsRule) {
    const struct {
        const char* item;
        std::string text;
        std::string result;
    } cases[] = {
        {"mniSortLines", "b\r\na", "a\r\nb\r\n"},
        {"mniSortDescending", "a\r\nc\r\nb", "c\r\nb\r\na\r\n"},
        {"mniSortByLineLen", "ccc\r\na\r\nbb", "a\r\nbb\r\nccc\r\n"},
        {"mniReverseLines", "1\r\n2\r\n3\r\n4", "4\r\n3\r\n2\r\n1\r\n"},
        {"mniReverseStrings", "abc\r\nde", "cba\r\ned\r\n"},
        {"mniReverseText", "ab\r\ncd", "dc\r\nba\r\n"},
        {"RemoveBlankLines1", "a\r\n   \t\r\n x \r\n", "a\r\n x \r\n"},
        {"mniTrimLines", "\tx y  ", "x y\r\n"},
        {"Removeduplicatelines1", "Apple\r\napple\r\nPear\r\nAPPLE", "Apple\r\nPear\r\n"},
        {"mniAnsiLowerCase", "ABC def", "abc def"},
        {"mniAnsiUpperCase", "ABC def", "ABC DEF"},
        {"mniInvertCase", "aB1", "Ab1"},
        {"mniCoolCase", "ab cd", "Ab cD"},
        {"mniNormalCase", "one\r\ntwo. three", "One\r\ntwo. Three"},
        {"mniUpperCaseFirst", "one\r\ntwo", "One\r\nTwo"},
        {"mniLowerCase", "ABC", "abc"},
        {"mniUpperCase", "abc", "ABC"},
        {"mniInvertCaseAz", "aBc", "AbC"},
        {"Offset11", "HAL", "IBM"},
        {"Offset12", "IBM", "HAL"},
        {"mniRemoveHTMLTags", "<p>Hello <b>world</b></p>", "Hello world"},
        {"mniLeaveTagsOnly", "<a>x\r\ny<b>", "<a>\r\n<b>"},
        {"mniCyrillicToLatin", "abc", "abc"},
        {"mniLatinToCyrillic", "123", "123"},
        {"mniAddCopyrights", "Sly", "$ly"},
        {"mniSortLines", "", ""},
        {"mniReverseText", "", ""},
    };
    for (const auto& c : cases) {
        SetText(c.text);
        Click(c.item);
        EXPECT_EQ(Text(), c.result) << c.item;
        EXPECT_EQ(window->CurrentDocument().Modified, c.result != c.text) << c.item;
        EXPECT_FALSE(window->CurrentPlainEditor()->CanUndo()) << c.item;
    }
}

TEST_F(TextFunctionsTest, EncodingTwiceGivesTheTextBack) {
    const std::string text = "Hello\r\nWorld";
    for (const char* item : {"En1", "mniEncodeSubtract"}) {
        SetText(text);
        Click(item);
        EXPECT_NE(Text(), text) << item;
        EXPECT_EQ(SplitLines(Text()).size(), item == std::string("En1") ? 1u : 2u)
            << "only the plain Encode / Decode joins the lines: " << item;
        Click(item);
        EXPECT_EQ(Text(), text) << item;
    }
}

TEST_F(TextFunctionsTest, InsertionsReplaceTheSelectionAndAreUndoneInOneStep) {
    for (const char* item :
         {"mniInsertDate", "mniInsertTime", "mniInsertDateTime", "mniInsertRandomNumber"}) {
        SetText("one two three");
        TMemo* editor = window->CurrentPlainEditor();
        editor->SetSelStart(TextOffset(4));
        editor->SetSelLength(TextOffset(3));
        Click(item);
        const std::string text = Text();
        ASSERT_EQ(text.substr(0, 4), "one ") << item;
        ASSERT_EQ(text.substr(text.size() - 6), " three") << item;
        const std::string inserted = text.substr(4, text.size() - 10);
        EXPECT_FALSE(inserted.empty()) << item;
        EXPECT_EQ(editor->SelStart().Value(), 4 + inserted.size())
            << "the caret ends after it: " << item;
        EXPECT_EQ(editor->SelLength().Value(), 0u) << item;
        EXPECT_TRUE(window->CurrentDocument().Modified) << item;
        window->mniUndoClick();
        EXPECT_EQ(Text(), "one two three") << item;
    }
}

TEST_F(TextFunctionsTest, RandomNumbersStayBelowAHundred) {
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        SetText("");
        Click("mniInsertRandomNumber");
        const int number = std::stoi(Text());
        ASSERT_GE(number, 0);
        ASSERT_LE(number, 99);
        seen.insert(number);
    }
    EXPECT_EQ(seen.size(), 100u) << "every value from 0 to 99 turns up in 2000 draws";
}

TEST_F(TextFunctionsTest, NewRandomTextOpensAnUnmodifiedTabOfItsCharacters) {
    const struct {
        const char* item;
        std::function<bool(unsigned char)> allowed;
    } cases[] = {
        {"mniFillRandom", [](unsigned char c) { return c >= 32; }},
        {"FillRandom21", [](unsigned char c) { return c >= 32 && c <= 89; }},
        {"FillRandomAlphanumeric1",
         [](unsigned char c) {
             return std::isdigit(c) || std::isupper(c) || (c >= 'a' && c <= 'o');
         }},
    };
    for (const auto& c : cases) {
        const int before = window->DocumentCount();
        Click(c.item);
        ASSERT_EQ(window->DocumentCount(), before + 1) << c.item;
        EXPECT_EQ(window->CurrentIndex(), before) << c.item;
        EXPECT_FALSE(window->CurrentDocument().Modified) << c.item;
        const LineList lines = SplitLines(Text());
        ASSERT_EQ(lines.size(), 25u) << c.item;
        EXPECT_EQ(Text().substr(Text().size() - 2), "\r\n") << c.item;
        for (const std::string_view line : lines)
            EXPECT_TRUE(std::all_of(line.begin(), line.end(), c.allowed)) << c.item << ": " << line;
    }
    window->Tabs().mniCloseAllClick();
    EXPECT_EQ(window->DocumentCount(), 1) << "closing random tabs asks nothing";
}

TEST_F(TextFunctionsTest, OffsetKeysChangeTheCodeEditorInCodeView) {
    window->CurrentPlainEditor()->SetText("HAL");
    window->SetViewMode(vmCode);
    TSynEdit* code = window->CurrentDocument().CodeEditor;
    ASSERT_EQ(code->Text(), "HAL");
    code->setFocus();
    QTest::keyClick(code, Qt::Key_BracketRight, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(code->Text(), "IBM");
    window->mniUndoClick();
    EXPECT_EQ(code->Text(), "HAL") << "an undoable edit of the code editor";
    QTest::keyClick(code, Qt::Key_BracketLeft, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(code->Text(), "G@K");
}

TEST_F(TextFunctionsTest, UndoRestoresTheTextBeforeTheLastFunctionOnly) {
    const std::string original = "b\r\na\r\nc";
    SetText(original);
    Click("mniSortLines");
    Click("mniAnsiUpperCase");
    ASSERT_EQ(Text(), "A\r\nB\r\nC\r\n");
    window->mniUndoClick();
    EXPECT_EQ(Text(), "a\r\nb\r\nc\r\n");
    window->mniUndoClick();
    EXPECT_EQ(Text(), "a\r\nb\r\nc\r\n") << "one level only";
}

TEST_F(TextFunctionsTest, UndoTakesBackTypingFirstThenTheFunction) {
    SetText("b\r\na");
    Click("mniSortLines");
    TMemo* editor = window->CurrentPlainEditor();
    editor->SetSelStart(TextOffset(0));
    editor->SetSelText("x");
    ASSERT_EQ(Text(), "xa\r\nb\r\n");
    window->mniUndoClick();
    EXPECT_EQ(Text(), "a\r\nb\r\n");
    window->mniUndoClick();
    EXPECT_EQ(Text(), "b\r\na");
}

TEST_F(TextFunctionsTest, AFunctionThatChangesNothingLeavesModifiedAndUndoAlone) {
    SetText("ABC");
    TMemo* editor = window->CurrentPlainEditor();
    editor->SetSelStart(TextOffset(3));
    editor->SetSelText("D");
    window->CurrentDocument().Modified = false;
    Click("mniAnsiUpperCase");
    EXPECT_FALSE(window->CurrentDocument().Modified);
    EXPECT_TRUE(editor->CanUndo()) << "the editor's own history is kept when nothing changed";
}

TEST_F(TextFunctionsTest, LineFunctionsTakeRealLinesWhateverTheWrap) {
    const std::string longLine(500, 'w');
    SetText("b " + longLine + "\r\na");
    window->CurrentPlainEditor()->SetWordWrap(true);
    window->CurrentPlainEditor()->resize(200, 200);
    QApplication::processEvents();
    Click("mniSortLines");
    EXPECT_EQ(Text(), "a\r\nb " + longLine + "\r\n");
}

TEST_F(TextFunctionsTest, MenuAndSortButtonsShowOnlyInPlainView) {
    QAction* sortButton =
        Part<QToolBar>(*window, "ToolBarSecond").findChild<QAction*>("ToolButton8");
    ASSERT_NE(sortButton, nullptr);
    EXPECT_TRUE(Part<QMenu>(*window, "mniFunctions").menuAction()->isVisible());
    EXPECT_FALSE(Part<QMenu>(*window, "mniFunctions2").menuAction()->isVisible());
    EXPECT_TRUE(sortButton->isVisible());
    window->SetViewMode(vmCode);
    EXPECT_FALSE(Part<QMenu>(*window, "mniFunctions").menuAction()->isVisible());
    EXPECT_FALSE(sortButton->isVisible());
    window->SetViewMode(vmPlain);
    EXPECT_TRUE(sortButton->isVisible());

    SetText("b\r\na");
    sortButton->trigger();
    EXPECT_EQ(Text(), "a\r\nb\r\n");
    SetText("ccc\r\na");
    Part<QToolBar>(*window, "ToolBarSecond").findChild<QAction*>("ToolButton9")->trigger();
    EXPECT_EQ(Text(), "a\r\nccc\r\n");
}

TEST(TextFunctionsWindow, OnlyPlainViewMenusShowWhenFilesOpenAtStart) {
    QTemporaryDir folder;
    const QString path = folder.filePath("notes.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("text");
    file.close();
    ScriptedDialogs dialogs;
    TForm1 window(dialogs, {path});
    ShowAndStart(window);
    QApplication::processEvents();
    EXPECT_TRUE(Part<QMenu>(window, "mniFunctions").menuAction()->isVisible());
    EXPECT_FALSE(Part<QMenu>(window, "mniFunctions2").menuAction()->isVisible());
}

TEST_F(TextFunctionsTest, SubmenusComeInMenuOrder) {
    QStringList captions;
    for (QAction* action : Part<QMenu>(*window, "mniFunctions").actions())
        captions << action->text();
    EXPECT_EQ(captions, QStringList({"Character Case", "Date && Time", "Encode", "Random", "Remove",
                                     "Regional", "Reverse", "Sort", "Transform", "Voice"}));
}

} // namespace
