// Each part the window keeps to itself goes by one object name, which is how tests and the
// context menu's mirror tell them apart.

#include "MainWindowFixture.h"
#include "app/qt/NameDialog.h"
#include "search/qt/GoToLineDialog.h"
#include "settings/qt/AboutBox.h"

#include <QMenu>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <stdexcept>

namespace {

// The main menu's menus and the submenus built from rows: their actions take the same names.
const char* const RowMenus = "mniFile mniEdit mniView mniFunctions mniFunctions2 mniFormat "
                             "mniStyle mniFavorites mniTabs mniHelp mniStyles mniRecent "
                             "mniViewMode mniCodeEditorMode mniLineEndings "
                             "mniReopenWithEncoding mniSaveWithEncoding";

TEST_F(MainWindowTest, EveryPartGoesByANameNoOtherPartOfItsTypeHas) {
    const struct {
        const QMetaObject& type;
        const char* names;
    } parts[] = {
        {QMenu::staticMetaObject, RowMenus},
        {QMenu::staticMetaObject, "mnuTabs mnuPopup mnuFont mnuRecent"},
        {QAction::staticMetaObject, RowMenus},
        {QAction::staticMetaObject,
         "mniBold mniItalic mniUnderline mniStrikeOut mniAlignLeft mniAlignCentre mniAlignRight "
         "mniJustify mniBullets mniNumbering mniHidefromCloseall mniHideCurrentFromCloseAll "
         "mniPlain mniSyn mniRich mniTabsSeparator mniFullScreen mniAlwaysOnTop mniHideCaption "
         "mniWordWrap mniHScrollbar mniVScrollbar mniStatusbar mniViewMainMenu mniViewToolbar "
         "mniShowToolbarCaptions Showlinenumbers1 mniBackground mniFontColor mniFont "
         "mniDecreaseFont mniIncreaseFont mniSaveStyle OpenOrganize1 mniReset mniAbout "
         "SaveProjectAs1"},
        {QToolBar::staticMetaObject, "ToolBar ToolBarSecond"},
        {QStackedWidget::staticMetaObject, "EditorArea"},
        {QTabBar::staticMetaObject, "TabControl"},
        {QLabel::staticMetaObject, "StatusBarText StatusBarEncoding StatusBarProject "
                                   "StatusBarLineBreaks StatusBarBinary StatusBarLostItems"},
        {QTimer::staticMetaObject, "Timer1"},
        {TForm2::staticMetaObject, "Form2"},
        {TForm4::staticMetaObject, "Form4"},
        {TAboutBox::staticMetaObject, "AboutBox"},
    };
    for (const auto& group : parts) {
        for (const QString& name : QString(group.names).split(' ')) {
            int found = 0;
            for (const QObject* child : window->findChildren<QObject*>(name))
                found += child->metaObject()->inherits(&group.type) ? 1 : 0;
            EXPECT_EQ(found, 1) << group.type.className() << " " << name.toStdString();
        }
    }
    for (const QString& name : QString(RowMenus).split(' ')) {
        const std::string menu = name.toStdString();
        EXPECT_EQ(Part<QMenu>(*window, menu.c_str()).menuAction(),
                  &Part<QAction>(*window, menu.c_str()))
            << menu;
    }
}

TEST_F(MainWindowTest, AskingForAMissingPartSaysWhichPartItWas) {
    const struct {
        const char* name;
        std::function<void()> ask;
        const char* message;
    } cases[] = {
        {"no such name", [&] { Part<QAction>(*window, "mniNoSuchItem"); },
         "the main window has no QAction named \"mniNoSuchItem\""},
        {"another type", [&] { Part<QMenu>(*window, "mniBold"); },
         "the main window has no QMenu named \"mniBold\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.ask();
            ADD_FAILURE() << "nothing was thrown";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

} // namespace
