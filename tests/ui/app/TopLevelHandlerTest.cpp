// Exceptions that leave an event handler: the top-level handler shows their text in an error
// box and the program goes on, every document as it was.

#include "MainWindowFixture.h"

#include <QAction>
#include <QTest>
#include <QTimer>
#include <functional>
#include <new>
#include <stdexcept>

namespace {

class TopLevelHandlerTest : public MainWindowTest {
protected:
    // Runs the event loop until the error boxes waiting for it have been shown.
    void ProcessEvents() {
        for (int round = 0; round < 5; ++round)
            QApplication::processEvents();
    }
    std::vector<QString> ErrorBoxes() const {
        std::vector<QString> texts;
        for (const ScriptedDialogs::Shown& shown : dialogs.History()) {
            if (shown.kind == ScriptedDialogs::Kind::Message &&
                shown.messageKind == MessageKind::Error) {
                EXPECT_EQ(shown.caption, "Tabrix Pro");
                EXPECT_EQ(shown.buttons, MessageButtons::Ok);
                texts.push_back(shown.text);
            }
        }
        return texts;
    }
};

struct ThrownCase {
    const char* name;
    std::function<void()> raise;
    QString shown;
};

TEST_F(TopLevelHandlerTest, ExceptionFromATimerIsShownAndTheProgramGoesOn) {
    const std::vector<ThrownCase> cases = {
        {"runtime error", [] { throw std::runtime_error("Cannot write the disk"); },
         "Cannot write the disk"},
        {"index error", [] { throw std::out_of_range("List index out of bounds (7)"); },
         "List index out of bounds (7)"},
        {"too many lines", [] { throw std::length_error("Too many lines"); }, "Too many lines"},
        {"out of memory", [] { throw std::bad_alloc(); }, "Out of memory"},
        {"no message", [] { throw std::runtime_error(""); }, "Unexpected error"},
        {"not a std::exception", [] { throw 42; }, "Unexpected error"},
    };
    MakeDocuments({"first", "second"});
    for (const ThrownCase& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.ClearHistory();
        bool ranAfter = false;
        QTimer::singleShot(0, window.get(), c.raise);
        QTimer::singleShot(0, window.get(), [&] { ranAfter = true; });
        ProcessEvents();
        EXPECT_EQ(ErrorBoxes(), std::vector<QString>{c.shown});
        EXPECT_TRUE(ranAfter) << "the event loop stopped";
        EXPECT_EQ(window->DocumentCount(), 2);
        window->SelectIndex(0);
        EXPECT_EQ(CurrentText(), "first");
        window->SelectIndex(1);
        EXPECT_EQ(CurrentText(), "second");
    }
}

TEST_F(TopLevelHandlerTest, MenuCommandThatThrowsEndsAndTheEditorStillTakesKeys) {
    auto* failing = new QAction("Failing", window.get());
    failing->setShortcut(QKeySequence("Ctrl+F12"));
    window->addAction(failing);
    int runs = 0;
    QObject::connect(failing, &QAction::triggered, window.get(), [&] {
        ++runs;
        throw std::runtime_error("The command failed");
    });
    QApplication::setActiveWindow(window.get());
    window->activateWindow();
    window->CurrentPlainEditor()->setFocus();
    QApplication::processEvents();
    QTest::keyClick(window->CurrentPlainEditor(), Qt::Key_F12, Qt::ControlModifier);
    ProcessEvents();
    ASSERT_EQ(runs, 1) << "the shortcut did not reach the action";
    EXPECT_EQ(ErrorBoxes(), std::vector<QString>{"The command failed"});

    QTest::keyClicks(window->CurrentPlainEditor(), "ok");
    EXPECT_EQ(CurrentText(), "ok");
    // The same command again fails again, and is shown again.
    QTest::keyClick(window->CurrentPlainEditor(), Qt::Key_F12, Qt::ControlModifier);
    ProcessEvents();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(ErrorBoxes().size(), 2u);
}

TEST_F(TopLevelHandlerTest, FailureRepeatedBeforeItsBoxShowsIsShownOnce) {
    for (const char* text : {"Paint failed", "Paint failed", "Other failure", "Paint failed"})
        QTimer::singleShot(0, window.get(), [text] { throw std::runtime_error(text); });
    ProcessEvents();
    EXPECT_EQ(ErrorBoxes(), (std::vector<QString>{"Paint failed", "Other failure"}));
}

} // namespace
