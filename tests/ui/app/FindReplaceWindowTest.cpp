// Find and replace reached from the window: the Edit items, their keys and tool buttons act on
// the current document's editor, and each tab is searched on its own text.

#include "richedit/qt/RichEdit.h"
#include "search/qt/SearchController.h"
#include "search/qt/SearchDialog.h"
#include "ui/app/MainWindowFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QTextCursor>

namespace {

class FindReplaceWindowTest : public MainWindowTest {
protected:
    QAction* Item(const char* name) { return window->findChild<QAction*>(name); }
    std::string Selected() {
        TSynEditWidget* editor = window->CurrentPlainEditor();
        const std::string text = editor->Engine().Text();
        return text.substr(editor->Engine().SelStart().Value(),
                           editor->Engine().SelLength().Value());
    }
};

TEST_F(FindReplaceWindowTest, EditItemsHaveTheirKeysAndOpenTheDialogs) {
    const struct {
        const char* name;
        const char* shortcut;
    } items[] = {{"mniFind", "Ctrl+F"}, {"FindNext1", "F3"}, {"mniReplace", "Ctrl+H"}};
    for (const auto& item : items) {
        ASSERT_NE(Item(item.name), nullptr) << item.name;
        EXPECT_EQ(Item(item.name)->shortcut(), QKeySequence(item.shortcut)) << item.name;
    }
    TSearchDialog* find = window->findChild<TSearchDialog*>("FindDialog");
    TSearchDialog* replace = window->findChild<TSearchDialog*>("ReplaceDialog");
    ASSERT_NE(find, nullptr);
    ASSERT_NE(replace, nullptr);
    Item("mniFind")->trigger();
    EXPECT_TRUE(find->isVisible());
    Item("mniReplace")->trigger();
    EXPECT_TRUE(replace->isVisible());
}

TEST_F(FindReplaceWindowTest, FindNextSearchesTheCurrentTabOnly) {
    MakeDocuments({"alpha beta", "gamma delta beta"});
    TSearchDialog* find = window->findChild<TSearchDialog*>("FindDialog");
    ASSERT_NE(find, nullptr);
    find->findChild<QLineEdit*>("FindEdit")->setText("beta");
    Item("FindNext1")->trigger();
    EXPECT_EQ(Selected(), "beta");
    EXPECT_EQ(window->CurrentPlainEditor()->Engine().SelStart().Value(), 12u);
    Part<QTabBar>(*window, "TabControl").setCurrentIndex(0);
    Item("FindNext1")->trigger();
    EXPECT_EQ(window->CurrentPlainEditor()->Engine().SelStart().Value(), 6u);
    EXPECT_EQ(Selected(), "beta");
}

TEST_F(FindReplaceWindowTest, FindNextInRichViewSelectsInTheRichEditor) {
    window->Files().OpenFile(WriteFile("letter.rtf", "{\\rtf1\\ansi plain {\\b word} end\\par "
                                                     "second word\\par}"));
    ASSERT_EQ(window->CurrentDocument().ViewMode, vmRich);
    TRxRichEdit& rich = *window->CurrentDocument().RichEditor;
    window->findChild<TSearchDialog*>("FindDialog")->SetFindText("word");
    const struct { int start; } presses[] = {{6}, {22}, {6}};
    for (const auto& press : presses) {
        Item("FindNext1")->trigger();
        EXPECT_EQ(rich.textCursor().selectedText(), "word");
        EXPECT_EQ(rich.textCursor().selectionStart(), press.start);
    }
    EXPECT_EQ(QApplication::focusWidget(), &rich);
    EXPECT_TRUE(dialogs.History().empty());
}

} // namespace
