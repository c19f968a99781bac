#include "codeedit/qt/Memo.h"
#include "ui/codeedit/EditorTestSupport.h"

#include <QInputMethodEvent>
#include <gtest/gtest.h>

namespace {

// Input methods compose text outside the key events: the pre-edit text shows at the caret,
// the committed text goes in as typed text in the program's encoding.
TEST(InputMethod, CommittedTextIsTypedAndTheCaretIsReportedInQtUnits) {
    const Encoding& saved = ProgramEncoding();
    SetProgramEncoding(*Encoding::ForCodePage(Encoding::Utf8CodePage));
    {
        TMemo memo;
        memo.SetText("ab");
        ShowFocused(memo);
        memo.Engine().SetCaret(MakePosition(0, 1));
        QInputMethodEvent preedit(QStringLiteral("ni"), {});
        QCoreApplication::sendEvent(&memo, &preedit);
        EXPECT_EQ(memo.Text(), "ab");
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8("\xE4\xBD\xA0\xE5\xA5\xBD")); // 你好
        QCoreApplication::sendEvent(&memo, &commit);
        EXPECT_EQ(memo.Text(), "a\xE4\xBD\xA0\xE5\xA5\xBD"
                               "b");
        EXPECT_EQ(memo.inputMethodQuery(Qt::ImCursorPosition).toInt(), 3);
        EXPECT_EQ(memo.inputMethodQuery(Qt::ImSurroundingText).toString(),
                  QString::fromUtf8("a\xE4\xBD\xA0\xE5\xA5\xBD"
                                    "b"));
        EXPECT_TRUE(memo.inputMethodQuery(Qt::ImCursorRectangle).toRectF().isValid());
    }
    SetProgramEncoding(saved);
}

} // namespace
