// Accessibility events as a screen reader gets them: run with Qt's AT-SPI bridge active on a
// private accessibility bus (scripts/with-atspi-bus.sh), where Qt hands every event to the
// update handler these tests install.
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct RecordedEvent {
    QAccessible::Event type;
    int position;
    QString text;
};
std::vector<RecordedEvent>* recorded = nullptr;

void Record(QAccessibleEvent* event) {
    if (!recorded)
        return;
    RecordedEvent entry{event->type(), -1, {}};
    switch (event->type()) {
    case QAccessible::TextInserted: {
        auto* inserted = static_cast<QAccessibleTextInsertEvent*>(event);
        entry.position = inserted->changePosition();
        entry.text = inserted->textInserted();
        break;
    }
    case QAccessible::TextRemoved: {
        auto* removed = static_cast<QAccessibleTextRemoveEvent*>(event);
        entry.position = removed->changePosition();
        entry.text = removed->textRemoved();
        break;
    }
    case QAccessible::TextUpdated: {
        auto* updated = static_cast<QAccessibleTextUpdateEvent*>(event);
        entry.position = updated->changePosition();
        entry.text = updated->textRemoved() + QLatin1Char('>') + updated->textInserted();
        break;
    }
    case QAccessible::TextCaretMoved:
        entry.position = static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition();
        break;
    case QAccessible::TextSelectionChanged: {
        auto* selection = static_cast<QAccessibleTextSelectionEvent*>(event);
        entry.position = selection->selectionStart();
        entry.text = QString::number(selection->selectionEnd());
        break;
    }
    default:
        return;
    }
    recorded->push_back(entry);
}

// The bridge comes up once it has reached the accessibility bus.
bool BridgeActive() {
    QElapsedTimer waited;
    waited.start();
    while (!QAccessible::isActive() && waited.elapsed() < 5000)
        QTest::qWait(20);
    return QAccessible::isActive();
}

// Assistive technology listening: events go to the recorder.
class Listening {
public:
    Listening() {
        EXPECT_TRUE(BridgeActive());
        QAccessible::installUpdateHandler(Record);
        recorded = &events;
    }
    ~Listening() {
        recorded = nullptr;
        QAccessible::installUpdateHandler(nullptr);
    }
    std::vector<RecordedEvent> events;

    std::vector<RecordedEvent> Of(QAccessible::Event type) const {
        std::vector<RecordedEvent> found;
        for (const RecordedEvent& event : events)
            if (event.type == type)
                found.push_back(event);
        return found;
    }
};

TEST(AccessibleEvents, TheBridgeIsListening) {
    EXPECT_TRUE(BridgeActive()) << "run under scripts/with-atspi-bus.sh";
}

TEST(AccessibleEvents, TypingMovingAndSelectingAreAnnounced) {
    for (const EditorKind& kind : kEditors) {
        Utf8Program utf8;
        std::unique_ptr<TSynEditWidget> editor = kind.make();
        editor->Engine().SetText("one\r\ntwo");
        ShowFocused(*editor);
        Listening listening;
        QAccessible::queryAccessibleInterface(editor.get());
        editor->Engine().SetCaret(MakePosition(1, 1));
        TypeText(*editor, QStringLiteral("X"));
        QTest::keyClick(editor.get(), Qt::Key_Backspace);
        QTest::keyClick(editor.get(), Qt::Key_Return);
        QTest::keyClick(editor.get(), Qt::Key_End, Qt::ShiftModifier);

        const auto inserted = listening.Of(QAccessible::TextInserted);
        ASSERT_EQ(inserted.size(), 2u) << kind.name;
        EXPECT_EQ(inserted[0].position, 5) << kind.name;
        EXPECT_EQ(inserted[0].text, QStringLiteral("X")) << kind.name;
        EXPECT_EQ(inserted[1].position, 5) << kind.name;
        EXPECT_EQ(inserted[1].text, QStringLiteral("\n")) << kind.name;
        const auto removed = listening.Of(QAccessible::TextRemoved);
        ASSERT_EQ(removed.size(), 1u) << kind.name;
        EXPECT_EQ(removed[0].position, 5) << kind.name;
        EXPECT_EQ(removed[0].text, QStringLiteral("X")) << kind.name;
        const auto carets = listening.Of(QAccessible::TextCaretMoved);
        ASSERT_FALSE(carets.empty()) << kind.name;
        EXPECT_EQ(carets.front().position, 5) << kind.name;
        EXPECT_EQ(carets.back().position, 8) << kind.name;
        const auto selections = listening.Of(QAccessible::TextSelectionChanged);
        ASSERT_EQ(selections.size(), 1u) << kind.name;
        EXPECT_EQ(selections[0].position, 6) << kind.name;
        EXPECT_EQ(selections[0].text, QStringLiteral("8")) << kind.name;
    }
}

TEST(AccessibleEvents, LineChangesQuoteTheTextTheyReplace) {
    Utf8Program utf8;
    TMemo memo;
    memo.SetText("alpha\r\nbeta\r\ngamma");
    ShowFocused(memo);
    Listening listening;
    QAccessible::queryAccessibleInterface(&memo);
    struct Case {
        const char* name;
        void (*edit)(TMemo&);
        QAccessible::Event type;
        int position;
        const char* text;
    };
    const Case cases[] = {
        {"lines joined",
         [](TMemo& m) {
             m.Engine().SetSelection(MakePosition(0, 5), MakePosition(1, 0));
             m.Engine().DeleteSelection();
         },
         QAccessible::TextRemoved, 5, "\n"},
        {"last line deleted", [](TMemo& m) { m.Lines().Delete(LineIndex(1)); },
         QAccessible::TextRemoved, 9, "\ngamma"},
        {"line added at the end", [](TMemo& m) { m.Lines().Add("delta"); },
         QAccessible::TextInserted, 9, "\ndelta"},
        {"line replaced", [](TMemo& m) { m.Lines().Put(LineIndex(0), "alps"); },
         QAccessible::TextUpdated, 3, "habeta>s"},
        {"whole text of a small document", [](TMemo& m) { m.SetText("new"); },
         QAccessible::TextUpdated, 0, "alps\ndelta>new"},
    };
    for (const Case& c : cases) {
        listening.events.clear();
        c.edit(memo);
        const auto found = listening.Of(c.type);
        ASSERT_EQ(found.size(), 1u) << c.name;
        EXPECT_EQ(found[0].position, c.position) << c.name;
        EXPECT_EQ(found[0].text, QString::fromUtf8(c.text)) << c.name;
        const QString whole =
            QString::fromUtf8(memo.Text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        EXPECT_EQ(TextOf(memo)->characterCount(), whole.size()) << c.name;
    }
}

} // namespace
