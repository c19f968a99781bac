// Keys and clicks as a user gives them to the window: real key and mouse events, not handler
// calls.

#include "MainWindowFixture.h"

#include <QAbstractScrollArea>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>
#include <functional>

namespace {

void ShowActive(TForm1& window) {
    window.resize(640, 480);
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    QApplication::processEvents();
}

std::string Lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? "\r\n" : "") + line + std::to_string(i);
    return text;
}

} // namespace

TEST_F(MainWindowTest, CtrlWithKeypadPlusAndMinusStepTheFontSize) {
    ShowActive(*window);
    TMemo* editor = window->CurrentPlainEditor();
    editor->setFocus();
    const int start = editor->Font().pointSize();
    struct Press {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int expected;
    };
    const Qt::KeyboardModifiers ctrlKeypad = Qt::ControlModifier | Qt::KeypadModifier;
    for (const Press& press :
         {Press{Qt::Key_Plus, ctrlKeypad, start + 1}, Press{Qt::Key_Plus, ctrlKeypad, start + 2},
          Press{Qt::Key_Minus, ctrlKeypad, start + 1},
          // The main keyboard's keys too, for keyboards without a keypad.
          Press{Qt::Key_Minus, Qt::ControlModifier, start},
          Press{Qt::Key_Equal, Qt::ControlModifier, start + 1},
          Press{Qt::Key_Plus, Qt::ControlModifier, start + 2}}) {
        QTest::keyClick(editor, press.key, press.modifiers);
        EXPECT_EQ(editor->Font().pointSize(), press.expected)
            << QKeySequence(QKeyCombination(press.modifiers, press.key)).toString().toStdString();
        EXPECT_EQ(window->DocumentAt(0).CodeEditor->Font().pointSize(), press.expected);
    }
}

TEST_F(MainWindowTest, ZoomKeysCtrlWheelAndCtrlPWorkInEveryEditor) {
    ShowActive(*window);
    const auto wheel = [](QWidget* viewport, int angle, Qt::KeyboardModifiers modifiers) {
        const QPointF at(10, 10);
        QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    };
    for (const int mode : {vmPlain, vmCode, vmRich}) {
        SCOPED_TRACE(mode);
        window->SetViewMode(mode);
        QWidget* editor = &window->CurrentDocument().View().Widget();
        auto* area = qobject_cast<QAbstractScrollArea*>(editor);
        ASSERT_NE(area, nullptr);
        editor->setFocus();
        const bool modified = window->CurrentDocument().Modified;
        const int start = window->CurrentPlainEditor()->Font().pointSize();
        const struct {
            const char* name;
            std::function<void()> act;
            int size; // relative to the start
        } steps[] = {
            {"Ctrl+=", [&] { QTest::keyClick(editor, Qt::Key_Equal, Qt::ControlModifier); }, 1},
            {"Ctrl+-", [&] { QTest::keyClick(editor, Qt::Key_Minus, Qt::ControlModifier); }, 0},
            {"Ctrl+wheel away", [&] { wheel(area->viewport(), 240, Qt::ControlModifier); }, 2},
            {"Ctrl+wheel back", [&] { wheel(area->viewport(), -120, Qt::ControlModifier); }, 1},
            // A touchpad's small steps add up to one notch.
            {"Ctrl+touchpad",
             [&] {
                 for (int i = 0; i < 4; ++i)
                     wheel(area->viewport(), 30, Qt::ControlModifier);
             },
             2},
            {"wheel alone scrolls", [&] { wheel(area->viewport(), 120, Qt::NoModifier); }, 2},
        };
        for (const auto& step : steps) {
            step.act();
            EXPECT_EQ(window->CurrentPlainEditor()->Font().pointSize(), start + step.size)
                << step.name;
            EXPECT_EQ(window->CurrentDocument().CodeEditor->Font().pointSize(), start + step.size)
                << step.name;
        }
        dialogs.Queue(false);
        QTest::keyClick(editor, Qt::Key_P, Qt::ControlModifier);
        ASSERT_FALSE(dialogs.History().empty());
        EXPECT_EQ(dialogs.History().back().kind, ScriptedDialogs::Kind::Print);
        dialogs.ClearHistory();
        EXPECT_EQ(window->CurrentDocument().Modified, modified) << "no key reached the text";
    }
}

TEST_F(MainWindowTest, CtrlEndScrollsTheCaretIntoViewWhateverTheWrap) {
    struct Case {
        const char* name;
        bool wrap;
        std::string text;
    };
    const std::string longLine(300, 'w');
    const Case cases[] = {{"3,000 lines, wrapped", true, Lines(3000, "line ")},
                          {"3,000 lines, not wrapped", false, Lines(3000, "line ")},
                          {"long wrapped lines", true, Lines(400, longLine)}};
    for (const Case& c : cases) {
        const QString path = WriteFile("big.txt", QByteArray::fromStdString(c.text));
        window->Files().OpenFile(path);
        ShowActive(*window);
        window->ViewOptions().SetWordWrap(c.wrap);
        TMemo* editor = window->CurrentPlainEditor();
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_GT(editor->TopLine().Value(), 0) << c.name;
        EXPECT_FALSE(editor->CaretRect().isEmpty()) << c.name;
        EXPECT_TRUE(editor->viewport()->rect().contains(editor->CaretRect())) << c.name;

        QTest::keyClick(editor, Qt::Key_Home, Qt::ControlModifier);
        EXPECT_EQ(editor->TopLine().Value(), 0) << c.name;
        window->Tabs().mniCloseClick();
    }
}

TEST_F(MainWindowTest, RightClickOnATabRecordsItAndKeepsTheCurrentTab) {
    MakeDocuments({"a", "b", "c"});
    for (int i = 0; i < 3; ++i)
        window->DocumentAt(i).Modified = false;
    window->SelectIndex(0);
    window->RefreshCurrentTab();
    ShowActive(*window);

    QTest::mousePress(&Part<QTabBar>(*window, "TabControl"), Qt::RightButton, {},
                      Part<QTabBar>(*window, "TabControl").tabRect(1).center());
    EXPECT_EQ(window->CurrentIndex(), 0);
    EXPECT_EQ(CurrentText(), "a");
    QTest::mouseRelease(&Part<QTabBar>(*window, "TabControl"), Qt::RightButton, {},
                        Part<QTabBar>(*window, "TabControl").tabRect(1).center());
    Part<QMenu>(*window, "mnuTabs").hide();
    EXPECT_EQ(window->CurrentIndex(), 0);

    window->Tabs().mniHidefromCloseallClick();
    EXPECT_TRUE(window->DocumentAt(1).HiddenFromCloseAll);
    EXPECT_FALSE(window->DocumentAt(0).HiddenFromCloseAll);

    // The left button still selects.
    QTest::mouseClick(&Part<QTabBar>(*window, "TabControl"), Qt::LeftButton, {},
                      Part<QTabBar>(*window, "TabControl").tabRect(2).center());
    EXPECT_EQ(window->CurrentIndex(), 2);
}
