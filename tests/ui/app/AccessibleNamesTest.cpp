// What a screen reader reads out on the main window: editors named after their documents, tool
// bars and tool buttons by what they show, status-bar fields by what they say.

#include "MainWindowFixture.h"
#include "richedit/qt/RichEdit.h"
#include "search/qt/SearchController.h"
#include "search/qt/SearchDialog.h"

#include <QAccessible>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <set>

namespace {

QString NameOf(QObject* object) {
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

QStringList EditorNames(const TMyMemo& document) {
    return {NameOf(document.PlainEditor), NameOf(document.CodeEditor), NameOf(document.RichEditor)};
}

TEST_F(MainWindowTest, EditorsAreNamedAfterTheirDocumentAsItsTabIs) {
    const QString note = WriteFile("note.txt", "text");
    struct Step {
        const char* what;
        std::function<void()> act;
        QString name;
    };
    const Step steps[] = {
        {"untitled", [] {}, "Blank"},
        {"opened", [&] { window->Files().OpenFile(note); }, "note.txt"},
        {"saved under another name",
         [&] {
             dialogs.QueueFiles({PathOf("renamed.txt")});
             window->Files().mniSaveAsClick();
         },
         "renamed.txt"},
        {"a second tab", [&] { window->mniNewClick(); }, "Blank"},
        {"the tabs exchanged by dragging",
         [&] {
             window->Tabs().TabControlMouseDown(
                 Qt::LeftButton, Part<QTabBar>(*window, "TabControl").tabRect(1).center());
             window->Tabs().TabControlDragDrop(
                 Part<QTabBar>(*window, "TabControl").tabRect(0).center());
         },
         "Blank"},
        {"the new tab closed", [&] { window->CloseDocument(0); }, "renamed.txt"},
        {"closed, the only tab left", [&] { window->CloseDocument(0); }, "Blank"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        const TMyMemo& current = window->CurrentDocument();
        EXPECT_EQ(EditorNames(current), QStringList({step.name, step.name, step.name}));
        EXPECT_EQ(Part<QTabBar>(*window, "TabControl").tabText(window->CurrentIndex()), step.name);
    }
    const TMyMemo& document = window->CurrentDocument();
    const std::set<QString> kinds = {document.PlainEditor->accessibleDescription(),
                                     document.CodeEditor->accessibleDescription(),
                                     document.RichEditor->accessibleDescription()};
    EXPECT_EQ(kinds.size(), 3u) << "each editor says which it is";
}

TEST_F(MainWindowTest, ToolBarsAndEveryToolButtonHaveNamesOfTheirOwn) {
    std::set<QString> names;
    for (QToolBar* row :
         {&Part<QToolBar>(*window, "ToolBar"), &Part<QToolBar>(*window, "ToolBarSecond")}) {
        const QString rowName = NameOf(row);
        EXPECT_FALSE(rowName.isEmpty());
        EXPECT_NE(rowName, row->objectName()) << "a name for people, not for the code";
        for (QToolButton* button : row->findChildren<QToolButton*>()) {
            const QString name = NameOf(button);
            const QString caption = button->text().trimmed();
            SCOPED_TRACE(caption.toStdString());
            EXPECT_FALSE(name.isEmpty());
            // Heard and seen alike: the name holds the caption.
            EXPECT_TRUE(name.contains(caption, Qt::CaseInsensitive)) << name.toStdString();
            // The row's own button, for what does not fit, is the only one without an action.
            if (button->defaultAction()) {
                EXPECT_TRUE(names.insert(name).second) << "two named " << name.toStdString();
            }
        }
    }
    EXPECT_TRUE(names.contains("Sort Alphabetically"));
    EXPECT_TRUE(names.contains("Sort by Line Length"));
}

// A field shows exactly while it has something to say, and is then named.
void ExpectStatusFieldsReadable(TForm1& window) {
    for (QLabel* field : window.statusBar()->findChildren<QLabel*>()) {
        SCOPED_TRACE(field->objectName().toStdString());
        const bool shown = field->isVisibleTo(&window);
        EXPECT_EQ(shown, !field->text().isEmpty()) << field->text().toStdString();
        if (shown) {
            EXPECT_FALSE(NameOf(field).isEmpty());
        }
    }
}

TEST_F(MainWindowTest, StatusBarFieldsShowAndAreNamedWhileTheyHaveText) {
    const QString binary = WriteFile("binary.dat", QByteArray("a\0b", 3));
    const QString text = WriteFile("find.txt", "one two one");
    struct Step {
        const char* what;
        std::function<void()> act;
    };
    const Step steps[] = {
        {"started", [] {}},
        {"a binary file", [&] { window->Files().OpenFile(binary); }},
        {"a text file with the Find dialog open",
         [&] {
             window->Files().OpenFile(text);
             window->Search().ShowFindDialog();
             window->Search().FindDialog->SetFindText("one");
         }},
        {"the Find dialog closed", [&] { window->Search().FindDialog->hide(); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        QApplication::processEvents();
        ExpectStatusFieldsReadable(*window);
    }
    EXPECT_EQ(NameOf(&Part<QLabel>(*window, "StatusBarEncoding")), "Encoding: UTF-8");
    EXPECT_EQ(NameOf(&Part<QLabel>(*window, "StatusBarLineBreaks")), "Line breaks: LF");
}

} // namespace
