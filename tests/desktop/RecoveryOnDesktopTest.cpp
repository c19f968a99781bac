// Crash recovery with the real program: it is typed into on a desktop of its own, killed with
// SIGKILL, and started again in this process (answering through ScriptedDialogs); the restored
// tabs are saved and the files compared byte for byte. Also: a second instance leaves a live
// instance's copies alone, declining the offer deletes them, and a kill while the program saves
// leaves the file whole.

#include "desktop/RecoveryOnDesktop.h"

#include "app/qt/FileCommands.h"

#include <random>

namespace {

TEST_F(RecoveryOnDesktopTest, ThreeModifiedTabsComeBackByteForByteAfterAKill) {
    const std::string big = files + "big.txt";
    const std::string code = files + "code.cpp";
    const std::string bigText = NumberedLines(20 << 20);
    const std::string codeText = "int main() {\r\n  return 0;\r\n}\r\n";
    WriteBytes(big, bigText);
    WriteBytes(code, codeText);

    // big.txt in the first tab, code.cpp in code view in the second and current.
    auto program = Start({QString::fromStdString(big), QString::fromStdString(code)});
    program->Keys("a b c");
    program->Keys("ctrl+shift+Tab Q");
    program->Keys("ctrl+n h e l l o Return w o r l d");
    // The plain editor's text has no break after its last (here empty) line; code view's
    // lines are joined the same way in the copy.
    // The big file's copy is a journal of the one letter typed into it.
    ASSERT_TRUE(CopiesBecome(
        {{big, "edits:Q"}, {code, "abcint main() {\r\n  return 0;\r\n}"}, {"", "hello\r\nworld"}}))
        << "the copies were not written";
    program->Kill();

    dialogs.Queue(DialogAnswer::Yes);
    StartHere();
    ASSERT_EQ(ShownTexts(),
              QStringList{"Tabrix Pro was not closed properly. Restore 3 unsaved documents?"});
    ASSERT_EQ(window->DocumentCount(), 3);

    const int bigTab = DocumentNamed(big);
    const int codeTab = DocumentNamed(code);
    const int untitledTab = DocumentNamed("");
    ASSERT_TRUE(bigTab >= 0 && codeTab >= 0 && untitledTab >= 0);
    for (int tab : {bigTab, codeTab, untitledTab})
        EXPECT_TRUE(window->DocumentAt(tab).Modified) << tab;

    TMyMemo& bigDocument = window->DocumentAt(bigTab);
    EXPECT_EQ(bigDocument.ViewMode, vmPlain);
    EXPECT_EQ(bigDocument.PlainEditor->CaretPos(), QPoint(1, 0));
    TMyMemo& codeDocument = window->DocumentAt(codeTab);
    EXPECT_EQ(codeDocument.ViewMode, vmCode);
    EXPECT_EQ(codeDocument.CodeEditor->Highlighter(), window->HighlighterInstance("SynCppSyn1"));
    EXPECT_EQ(codeDocument.CodeEditor->CaretY(), 1);
    EXPECT_EQ(codeDocument.CodeEditor->CaretX(), 4);
    TMyMemo& untitled = window->DocumentAt(untitledTab);
    EXPECT_EQ(untitled.ViewMode, vmPlain);
    EXPECT_EQ(untitled.PlainEditor->Text(), "hello\r\nworld");
    EXPECT_EQ(untitled.PlainEditor->CaretPos(), QPoint(5, 1));

    // Saved, the named documents write what the killed program would have written.
    ASSERT_TRUE(window->Files().SaveDocument(bigTab));
    ASSERT_TRUE(window->Files().SaveDocument(codeTab));
    EXPECT_TRUE(ReadBytes(big) == "Q" + bigText) << "the big file differs";
    EXPECT_EQ(ReadBytes(code), "abcint main() {\r\n  return 0;\r\n}\r\n");

    // The old instance's folder went once the documents were back in this one's.
    window.reset();
    EXPECT_TRUE(Copies().empty());
    EXPECT_TRUE(fs::is_empty(RecoveryRoot()));
}

TEST_F(RecoveryOnDesktopTest, ALiveInstancesCopiesAreLeftAloneAndDecliningDeletesThem) {
    auto program = Start();
    program->Keys("k e p t");
    ASSERT_TRUE(CopiesBecome({{"", "kept"}}));

    // A second instance while the first runs: nothing offered, nothing touched.
    StartHere();
    EXPECT_TRUE(ShownTexts().isEmpty());
    EXPECT_EQ(window->DocumentCount(), 1);
    EXPECT_TRUE(CopiesBecome({{"", "kept"}}));
    window.reset();
    EXPECT_TRUE(CopiesBecome({{"", "kept"}})) << "the second instance's clean exit took them";

    program->Kill();
    dialogs.Queue(DialogAnswer::No);
    StartHere();
    EXPECT_EQ(ShownTexts(),
              QStringList{"Tabrix Pro was not closed properly. Restore 1 unsaved document?"});
    EXPECT_EQ(window->DocumentCount(), 1);
    EXPECT_EQ(window->CurrentPlainEditor()->Text(), "");
    EXPECT_FALSE(window->CurrentDocument().Modified);
    EXPECT_TRUE(Copies().empty());
}

TEST_F(RecoveryOnDesktopTest, ASaveRemovesTheCopyAndAnExitLeavesNoFolder) {
    const std::string note = files + "note.txt";
    WriteBytes(note, "note\r\n");
    auto program = Start({QString::fromStdString(note)});
    program->Keys("d r a f t space");
    ASSERT_TRUE(CopiesBecome({{note, "draft note\r\n"}}));
    program->Keys("ctrl+s");
    EXPECT_TRUE(CopiesBecome({})) << "the save left the copy";
    EXPECT_EQ(ReadBytes(note), "draft note\r\n");
    program->Keys("alt+F4");
    ASSERT_TRUE(program->WaitForExit(10000));
    EXPECT_TRUE(fs::is_empty(RecoveryRoot()));
}

TEST_F(RecoveryOnDesktopTest, KillingTheProgramWhileItSavesLeavesTheOldOrTheNewFileWhole) {
    const std::string big = files + "big.txt";
    std::string before = NumberedLines(40 << 20);
    WriteBytes(big, before);
    std::mt19937 random(1208);
    std::uniform_int_distribution<int> delay(0, 400);
    for (int round = 0; round < 4; ++round) {
        // No copy from the round before is offered: this is about the file alone.
        fs::remove_all(RecoveryRoot());
        auto program = Start({QString::fromStdString(big)});
        program->Keys("Q ctrl+s");
        QThread::msleep(static_cast<unsigned long>(delay(random)));
        program->Kill();
        const std::string after = ReadBytes(big);
        EXPECT_TRUE(after == before || after == "Q" + before)
            << "round " << round << ": a file of " << after.size() << " bytes, neither the "
            << before.size() << " bytes before nor the " << before.size() + 1 << " after";
        before = after;
    }
}

} // namespace
