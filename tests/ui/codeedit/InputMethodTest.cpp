#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <QInputMethodEvent>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Input methods compose text outside the key events: the pre-edit text shows at the caret and
// leaves the text alone, the committed text goes in as typed text in the program's encoding.
TEST(InputMethod, PreeditShowsAtTheCaretAndTheCommitIsTyped) {
    Utf8Program utf8;
    for (const EditorKind& kind : kEditors) {
        std::unique_ptr<TSynEditWidget> editor = kind.make();
        editor->Engine().SetText("ab");
        ShowFocused(*editor);
        editor->Engine().SetCaret(MakePosition(0, 1));
        const QRect caret = editor->CaretRect();
        const QImage before = Render(*editor);
        QInputMethodEvent preedit(QStringLiteral("ni"), {});
        QCoreApplication::sendEvent(editor.get(), &preedit);
        EXPECT_EQ(editor->Engine().Text(), "ab") << kind.name;
        const QImage composing = Render(*editor);
        const QRect atCaret(caret.left(), caret.top(), 3 * caret.height(), caret.height());
        EXPECT_NE(composing.copy(atCaret), before.copy(atCaret)) << kind.name;
        EXPECT_EQ(composing.copy(0, 0, caret.left() - 1, composing.height()),
                  before.copy(0, 0, caret.left() - 1, before.height()))
            << kind.name;

        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8("\xE4\xBD\xA0\xE5\xA5\xBD")); // 你好
        QCoreApplication::sendEvent(editor.get(), &commit);
        EXPECT_EQ(editor->Engine().Text(), "a\xE4\xBD\xA0\xE5\xA5\xBD"
                                           "b")
            << kind.name;
        EXPECT_EQ(editor->inputMethodQuery(Qt::ImCursorPosition).toInt(), 3) << kind.name;
        EXPECT_EQ(editor->inputMethodQuery(Qt::ImSurroundingText).toString(),
                  QString::fromUtf8("a\xE4\xBD\xA0\xE5\xA5\xBD"
                                    "b"))
            << kind.name;
        EXPECT_TRUE(editor->inputMethodQuery(Qt::ImCursorRectangle).toRectF().isValid())
            << kind.name;
        editor->Engine().Undo();
        EXPECT_EQ(editor->Engine().Text(), "ab") << kind.name;
    }
}

} // namespace
