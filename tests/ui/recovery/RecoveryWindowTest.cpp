// Recovery copies as the window keeps and restores them, in this process: when a copy appears
// and goes, what a restored document looks like in each view mode, the order of start-up, and
// damaged copies.

#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "app/qt/WindowTabs.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/Encoding.h"
#include "platform/FileSystem.h"
#include "platform/qt/PathNames.h"
#include "platform/qt/ScriptedDialogs.h"
#include "recovery/RecoveryFile.h"
#include "richedit/qt/RichEdit.h"
#include "settings/SettingsFolders.h"
#include "support/TemporaryFolderTest.h"
#include "ui/support/StartedWindow.h"
#include "ui/support/WindowPart.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr int CopyTimeout = 10000;

class RecoveryWindowTest : public TemporaryFolderTest {
protected:
    void TearDown() override {
        window.reset();
        EXPECT_EQ(dialogs.Unanswered(), 0) << "a question was asked that the test did not expect";
        std::error_code ignored;
        fs::remove_all(RecoveryRoot(), ignored);
        fs::remove(SettingsFolder() + "default.txp", ignored);
        TemporaryFolderTest::TearDown();
    }

    static std::string RecoveryRoot() { return SettingsFolder() + "recovery/"; }

    // A text of 1.5 MB, big enough to be kept as a journal of its edits.
    static std::string BigLog() {
        std::string big;
        for (int line = 0; big.size() < (std::size_t(3) << 19); ++line)
            big += "line " + std::to_string(line) + " of a log that is big enough for a journal\n";
        return big;
    }

    // Between the cases of one test: no window, no boxes remembered, no copies left.
    void ForgetRun() {
        window.reset();
        dialogs.ClearHistory();
        std::error_code ignored;
        fs::remove_all(RecoveryRoot(), ignored);
    }

    void Start(const QStringList& arguments = {}) {
        window = std::make_unique<TForm1>(dialogs, arguments);
        ShowAndStart(*window);
        QApplication::processEvents();
    }

    // The copies of all instances, the refused ones aside.
    static std::vector<RecoveredDocument> Copies() {
        std::vector<RecoveredDocument> copies;
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(RecoveryRoot(), error)) {
            if (entry.path().extension() == ".recovery" &&
                entry.path().parent_path().filename() != "refused") {
                std::string bytes = Read(entry.path().string());
                // Removed between the listing and the reading: the copy is gone.
                if (bytes.empty() && !fs::exists(entry.path()))
                    continue;
                RecoveryParse parsed = ParseRecoveryFile(std::move(bytes));
                EXPECT_TRUE(parsed.document) << parsed.error;
                if (parsed.document)
                    copies.push_back(std::move(*parsed.document));
            }
        }
        return copies;
    }

    // What a killed instance leaves behind: its folder, unlocked, with these files.
    static void LeaveAbandoned(const std::vector<std::string>& files,
                               const std::string& instance = "killed") {
        const std::string folder = RecoveryRoot() + "instance-" + instance + "/";
        fs::create_directories(folder);
        Write(folder + "lock", "");
        for (std::size_t i = 0; i < files.size(); ++i)
            Write(folder + "document-" + std::to_string(i + 1) + ".recovery", files[i]);
    }

    void Type(const QString& text) {
        QWidget* editor = &window->CurrentDocument().View().Widget();
        editor->setFocus();
        QTest::keyClicks(editor, text);
    }

    QStringList ShownTexts() const {
        QStringList texts;
        for (const auto& shown : dialogs.History())
            texts << shown.text;
        return texts;
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> window;
};

TEST_F(RecoveryWindowTest, ACopyFollowsTheLastChangeAndGoesWhenTheEditsAreSafeOrGivenUp) {
    const struct {
        const char* name;
        std::vector<DialogAnswer> answers;
        std::function<void(TForm1&)> end;
    } cases[] = {
        {"saved", {}, [](TForm1& w) { w.Files().mniSaveClick(); }},
        {"tab closed without saving",
         {DialogAnswer::No},
         [](TForm1& w) { w.Tabs().mniCloseClick(); }},
        {"tab closed saving", {DialogAnswer::Yes}, [](TForm1& w) { w.Tabs().mniCloseClick(); }},
        {"window closed without saving", {DialogAnswer::No}, [](TForm1& w) { w.close(); }},
    };
    for (const auto& c : cases) {
        const std::string path = root + "note.txt";
        Write(path, "text\r\n");
        Start({DisplayPath(path)});
        Type("my ");
        EXPECT_TRUE(Copies().empty()) << c.name << ": written at once, not after the last change";
        ASSERT_TRUE(QTest::qWaitFor([] { return Copies().size() == 1; }, CopyTimeout)) << c.name;
        const RecoveredDocument copy = Copies().front();
        EXPECT_EQ(copy.header.fileName, path) << c.name;
        EXPECT_EQ(copy.text, "my text\r\n") << c.name;
        EXPECT_EQ(copy.header.caretColumn, 3) << c.name;
        EXPECT_EQ(copy.header.encodingName, ProgramEncoding().Name()) << c.name;

        for (DialogAnswer answer : c.answers)
            dialogs.Queue(answer);
        c.end(*window);
        EXPECT_TRUE(QTest::qWaitFor([] { return Copies().empty(); }, CopyTimeout)) << c.name;
        window.reset();
        EXPECT_FALSE(fs::exists(RecoveryRoot()) && !fs::is_empty(RecoveryRoot()))
            << c.name << ": the instance's folder stayed";
        dialogs.ClearHistory();
    }
}

TEST_F(RecoveryWindowTest, EachViewModeComesBackWithItsCaretAndLook) {
    const std::string richPath = root + "letter.rtf";
    Write(richPath, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 plain {\\b bold} end\\par\n"
                    "second line\\par\n}");
    Start({DisplayPath(richPath)});
    ASSERT_EQ(window->CurrentDocument().ViewMode, vmRich);
    window->CurrentDocument().RichEditor->SetCaretPos(QPoint(5, 1));
    Type("X");
    const std::string rtf = window->CurrentDocument().RichEditor->RtfText();
    const QPoint richCaret = window->CurrentDocument().RichEditor->CaretPos();

    window->mniNewClick();
    window->CodeEditorModeClick(".pas");
    window->mniPlainClick(vmCode);
    Type("begin");
    QTest::keyClick(&window->CurrentDocument().View().Widget(), Qt::Key_Return);
    Type("end.");
    ASSERT_TRUE(QTest::qWaitFor([] { return Copies().size() == 2; }, CopyTimeout));

    // The copies as a killed instance would have left them.
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(RecoveryRoot())) {
        if (entry.path().extension() == ".recovery")
            files.push_back(Read(entry.path().string()));
    }
    window.reset();
    ASSERT_EQ(files.size(), 2u);
    LeaveAbandoned(files);

    dialogs.Queue(DialogAnswer::Yes);
    Start();
    ASSERT_EQ(window->DocumentCount(), 2);
    int rich = window->DocumentAt(0).ViewMode == vmRich ? 0 : 1;
    const TMyMemo& letter = window->DocumentAt(rich);
    EXPECT_EQ(LocalPath(letter.FileName), richPath);
    EXPECT_EQ(letter.ViewMode, vmRich);
    EXPECT_TRUE(letter.Modified);
    EXPECT_EQ(letter.RichEditor->RtfText(), rtf) << "the formatting changed";
    EXPECT_EQ(letter.RichEditor->CaretPos(), richCaret);

    const TMyMemo& code = window->DocumentAt(1 - rich);
    EXPECT_TRUE(code.FileName.isEmpty());
    EXPECT_EQ(code.ViewMode, vmCode);
    EXPECT_TRUE(code.Modified);
    EXPECT_EQ(code.CodeEditor->Highlighter(), window->HighlighterInstance("SynPasSyn1"));
    EXPECT_EQ(code.CodeEditor->Lines().Text(), "begin\r\nend.\r\n");
    EXPECT_EQ(code.CodeEditor->CaretY(), 2);
    EXPECT_EQ(code.CodeEditor->CaretX(), 5);
}

TEST_F(RecoveryWindowTest, ARestoredCopyKeepsTheLineBreaksOfItsFile) {
    for (const int view : {vmPlain, vmCode}) {
        SCOPED_TRACE(view);
        const std::string path = root + "mixed.txt";
        Write(path, "unix\nmac\rdos\r\nlast");
        Start({DisplayPath(path)});
        window->mniPlainClick(view);
        Type("my ");
        ASSERT_TRUE(QTest::qWaitFor([] { return Copies().size() == 1; }, CopyTimeout));
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(RecoveryRoot())) {
            if (entry.path().extension() == ".recovery")
                files.push_back(Read(entry.path().string()));
        }
        window.reset();
        LeaveAbandoned(files);

        dialogs.Queue(DialogAnswer::Yes);
        Start();
        ASSERT_EQ(window->DocumentCount(), 1);
        EXPECT_EQ(Part<QLabel>(*window, "StatusBarLineBreaks").text(), "Mixed");
        window->Files().mniSaveClick();
        EXPECT_EQ(Read(path), "my unix\nmac\rdos\r\nlast");
        window.reset();
        dialogs.ClearHistory();
    }
}

TEST_F(RecoveryWindowTest, RestoredDocumentsComeBeforeTheLastSessionsTabsAndTheCommandLine) {
    const std::string kept = root + "kept.txt";
    const std::string other = root + "other.txt";
    const std::string argument = root + "argument.txt";
    Write(kept, "on disk\r\n");
    Write(other, "other\r\n");
    Write(argument, "argument\r\n");
    fs::create_directories(SettingsFolder());
    Write(SettingsFolder() + "default.txp", kept + "\r\n" + other + "\r\n");
    LeaveAbandoned({FormatRecoveryFile({kept, 0, 0, 0, "utf-8", ""}, std::string("typed"))});

    dialogs.Queue(DialogAnswer::Yes);
    Start({DisplayPath(argument)});
    QStringList names;
    for (int i = 0; i < window->DocumentCount(); ++i)
        names << QString::fromStdString(
            fs::path(LocalPath(window->DocumentAt(i).FileName)).filename().string());
    EXPECT_EQ(names, (QStringList{"kept.txt", "other.txt", "argument.txt"}));
    EXPECT_EQ(window->DocumentAt(0).PlainEditor->Text(), "typed") << "the file replaced the copy";
    EXPECT_TRUE(window->DocumentAt(0).Modified);
    EXPECT_EQ(window->CurrentIndex(), 2);
}

TEST_F(RecoveryWindowTest, EveryRestoredTabShowsItsCaretLine) {
    std::string numbered, wide;
    for (int i = 1; i <= 300; ++i) {
        numbered += "line " + std::to_string(i) + "\r\n";
        wide +=
            "line " + std::to_string(i) + " " + std::string(std::size_t(i % 5) * 40, 'w') + "\r\n";
    }
    const struct {
        RecoveryHeader header;
        std::string text;
    } copies[] = {
        {{"", vmPlain, 1, 12, "utf-8", ""}, "short\r\nhello world!"},
        {{"", vmPlain, 250, 4, "utf-8", ""}, numbered},
        {{"", vmCode, 283, 150, "utf-8", "SynPasSyn1"}, wide},
        {{"", vmPlain, 9, 165, "utf-8", ""}, wide},
    };
    std::vector<std::string> files;
    for (const auto& copy : copies)
        files.push_back(FormatRecoveryFile(copy.header, copy.text));
    LeaveAbandoned(files);
    dialogs.Queue(DialogAnswer::Yes);
    Start();
    ASSERT_EQ(window->DocumentCount(), int(std::size(copies)));
    for (int i = 0; i < window->DocumentCount(); ++i) {
        window->SelectIndex(i);
        window->Tabs().TabControlChange();
        QApplication::processEvents();
        TSynEditWidget* editor = window->CurrentDocument().View().TextEditor();
        ASSERT_NE(editor, nullptr);
        const RecoveryHeader& header = copies[i].header;
        EXPECT_EQ(editor->Engine().Caret().line.Value(), header.caretLine) << "tab " << i;
        const QRect caret = editor->CaretRect();
        EXPECT_FALSE(caret.isEmpty()) << "tab " << i << ": the caret is out of view";
        EXPECT_TRUE(editor->viewport()->rect().contains(caret)) << "tab " << i;
        // The text left of the caret shows as far as the view is wide.
        if (header.caretColumn < 20) {
            EXPECT_EQ(editor->horizontalScrollBar()->value(), 0) << "tab " << i;
        }
    }
}

TEST_F(RecoveryWindowTest, ADamagedCopyIsRefusedWithAMessageAndKept) {
    const std::string good = FormatRecoveryFile({"", 0, 0, 2, "utf-8", ""}, std::string("good"));
    const std::string whole =
        FormatRecoveryFile({"/x/cut.txt", 0, 0, 0, "utf-8", ""}, std::string("0123456789"));
    const std::string damaged = whole.substr(0, whole.find("Length="));
    const std::string foreign = "just some file\n\nwith text";
    LeaveAbandoned({damaged, good, foreign});

    dialogs.Queue(DialogAnswer::Yes);
    Start();
    const QStringList shown = ShownTexts();
    ASSERT_EQ(shown.size(), 3);
    const std::string refused = RecoveryRoot() + "refused/";
    EXPECT_EQ(shown[0],
              DisplayPath("The recovery file " + RecoveryRoot() +
                          "instance-killed/document-1.recovery cannot be restored: it was "
                          "cut short inside its header. It has been kept as " +
                          refused + "instance-killed-document-1.recovery."));
    EXPECT_TRUE(shown[1].contains("document-3.recovery cannot be restored: it is not a recovery "
                                  "file of Tabrix Pro."))
        << shown[1].toStdString();
    EXPECT_EQ(shown[2], "Tabrix Pro was not closed properly. Restore 1 unsaved document?");
    EXPECT_EQ(dialogs.History()[0].messageKind, MessageKind::Error);

    ASSERT_EQ(window->DocumentCount(), 1);
    EXPECT_EQ(window->CurrentPlainEditor()->Text(), "good");
    EXPECT_EQ(Read(refused + "instance-killed-document-1.recovery"), damaged);
    EXPECT_EQ(Read(refused + "instance-killed-document-3.recovery"), foreign);
    EXPECT_FALSE(fs::exists(RecoveryRoot() + "instance-killed"));

    // Set aside, they are not offered again.
    window.reset();
    dialogs.ClearHistory();
    Start();
    EXPECT_TRUE(ShownTexts().isEmpty());
}

TEST_F(RecoveryWindowTest, ACopyCutShortInItsTextComesBackInPartWithAMessage) {
    const std::string name = root + "cut\xff.txt";
    const std::string whole =
        FormatRecoveryFile({name, 0, 0, 0, "utf-8", ""}, std::string("0123456789"));
    LeaveAbandoned({whole.substr(0, whole.size() - 4)});

    dialogs.Queue(DialogAnswer::Yes);
    Start();
    const QStringList shown = ShownTexts();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], "Tabrix Pro was not closed properly. Restore 1 unsaved document?");
    EXPECT_EQ(shown[1], ShownText("The recovery file " + RecoveryRoot() +
                                  "instance-killed/document-1.recovery is incomplete: its text "
                                  "was cut short after 6 of its 10 bytes. The part that is there "
                                  "has been restored."));
    ASSERT_EQ(window->DocumentCount(), 1);
    EXPECT_EQ(window->CurrentPlainEditor()->Text(), "012345");
    EXPECT_TRUE(window->CurrentDocument().Modified);
    EXPECT_EQ(LocalPath(window->CurrentDocument().FileName), name);
    EXPECT_EQ(Part<QTabBar>(*window, "TabControl").tabText(0), "cut\\xFF.txt");
    window->CurrentDocument().Modified = false;
}

// A link planted where the recovery folder belongs is not followed: the folder it leads to keeps
// its mode and gets nothing; the copies go to a folder of the user's own.
TEST_F(RecoveryWindowTest, APlantedRecoveryLinkIsNotFollowed) {
    const std::string planted = root + "planted/";
    fs::create_directories(planted);
    chmod(planted.c_str(), 0777);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(planted.c_str(), 65534, 65534), 0);
    }
    fs::create_directories(SettingsFolder());
    fs::create_directory_symlink(planted, SettingsFolder() + "recovery");
    const FileResult<std::string> temporary = PrivateTempFolder();
    ASSERT_TRUE(temporary);
    const std::string fallback = temporary.value + "recovery/";

    const std::string path = root + "note.txt";
    Write(path, "text\r\n");
    Start({DisplayPath(path)});
    Type("my ");
    const auto copiesIn = [](const std::string& folder) {
        std::size_t count = 0;
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(folder, error))
            count += entry.path().extension() == ".recovery" ? 1 : 0;
        return count;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return copiesIn(fallback) == 1; }, CopyTimeout));
    EXPECT_TRUE(fs::is_empty(planted));
    struct stat status {};
    ASSERT_EQ(stat(planted.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0777u);
    dialogs.Queue(DialogAnswer::No);
    window->close();
    window.reset();
    std::error_code ignored;
    fs::remove_all(fallback, ignored);
    fs::remove(SettingsFolder() + "recovery", ignored);
}

} // namespace

TEST_F(RecoveryWindowTest, ABigFilesEditsComeBackFromTheirJournalUnlessTheFileChanged) {
    const std::string big = BigLog();
    const struct {
        const char* name;
        bool changeFile;
    } cases[] = {{"file as it was", false}, {"file changed on disk since", true}};
    for (const auto& c : cases) {
        const std::string path = root + "big.log";
        Write(path, big);
        Start({DisplayPath(path)});
        Type("ab");
        ASSERT_TRUE(QTest::qWaitFor([] { return Copies().size() == 1; }, CopyTimeout)) << c.name;
        Type("c");
        window->CurrentDocument().PlainEditor->Engine().TypeText("\n");
        ASSERT_TRUE(QTest::qWaitFor(
            [] { return Copies().size() == 1 && Copies().front().journal->changes.size() == 4; },
            CopyTimeout))
            << c.name;
        const RecoveredDocument copy = Copies().front();
        ASSERT_TRUE(copy.journal) << c.name << ": a whole copy of a big file";
        EXPECT_EQ(copy.text, "") << c.name;
        std::string journal;
        for (const auto& entry : fs::recursive_directory_iterator(RecoveryRoot()))
            if (entry.path().extension() == ".recovery")
                journal = Read(entry.path().string());
        window.reset();
        LeaveAbandoned({journal});
        if (c.changeFile)
            Write(path, "new text\n" + big);

        dialogs.Queue(DialogAnswer::Yes);
        Start();
        ASSERT_EQ(window->DocumentCount(), 1) << c.name;
        const TMyMemo& document = window->CurrentDocument();
        EXPECT_EQ(LocalPath(document.FileName), path) << c.name;
        const QStringList shown = ShownTexts();
        ASSERT_FALSE(shown.isEmpty()) << c.name;
        EXPECT_EQ(shown.front().contains("changed on disk"), c.changeFile)
            << shown.front().toStdString();
        const TSynEditEngine& engine = document.PlainEditor->Engine();
        EXPECT_EQ(engine.LineText(LineIndex(0)), c.changeFile ? "new text" : "abc") << c.name;
        EXPECT_EQ(engine.LineText(LineIndex(1)), big.substr(0, big.find('\n'))) << c.name;
        EXPECT_EQ(engine.Caret(), (BufferPosition{LineIndex(c.changeFile ? 0 : 1), ByteColumn(0)}))
            << c.name;
        EXPECT_EQ(document.Modified, !c.changeFile) << c.name;
        ForgetRun();
    }
}

TEST_F(RecoveryWindowTest, AJournalGoesOnAcrossViewSwitchesAndComesBackInTheLastView) {
    const std::string big = BigLog();
    const std::string firstLine = big.substr(0, big.find('\n') + 1);
    const std::string expected = "ab" + firstLine + "c" + big.substr(firstLine.size()) + "tail";
    // Each edit in its view; line -1 is the plain editor's empty last line, after the final
    // break, which code view does not show.
    struct Edit {
        int view;
        int line;
        const char* text;
    };
    const struct {
        const char* name;
        const char* file;
        std::vector<Edit> edits;
        int lastView;
    } cases[] = {
        {"opened in plain view",
         "big.log",
         {{vmPlain, 0, "ab"}, {vmCode, 1, "c"}, {vmPlain, -1, "tail"}},
         vmCode},
        {"opened in code view",
         "big.cpp",
         {{vmCode, 0, "ab"}, {vmPlain, 1, "c"}, {vmCode, 1, ""}, {vmPlain, -1, "tail"}},
         vmPlain},
    };
    for (const auto& c : cases) {
        const std::string path = root + c.file;
        Write(path, big);
        Start({DisplayPath(path)});
        std::size_t changes = 0;
        for (const Edit& edit : c.edits) {
            window->mniPlainClick(edit.view);
            TSynEditEngine& engine = window->CurrentDocument().View().TextEditor()->Engine();
            const int line = edit.line < 0 ? engine.LineCount() - 1 : edit.line;
            engine.SetCaret({LineIndex(line), ByteColumn(0)});
            engine.TypeText(edit.text);
            changes += *edit.text ? 1 : 0;
            // Each view's edits reach the journal before the next switch.
            ASSERT_TRUE(QTest::qWaitFor(
                [&] {
                    const std::vector<RecoveredDocument> copies = Copies();
                    return copies.size() == 1 && copies.front().journal &&
                           copies.front().journal->changes.size() == changes;
                },
                CopyTimeout))
                << c.name << ": no journal of " << changes << " edits";
        }
        window->mniPlainClick(c.lastView);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return Copies().size() == 1 && Copies().front().header.viewMode == c.lastView; },
            CopyTimeout))
            << c.name;
        ASSERT_TRUE(Copies().front().journal) << c.name << ": a whole copy after the switch";
        std::string journal;
        for (const auto& entry : fs::recursive_directory_iterator(RecoveryRoot()))
            if (entry.path().extension() == ".recovery")
                journal = Read(entry.path().string());
        window.reset();
        LeaveAbandoned({journal});

        dialogs.Queue(DialogAnswer::Yes);
        Start();
        ASSERT_EQ(window->DocumentCount(), 1) << c.name;
        EXPECT_EQ(ShownTexts().size(), 1)
            << c.name << ": " << ShownTexts().join("; ").toStdString();
        EXPECT_EQ(window->CurrentDocument().ViewMode, c.lastView) << c.name;
        EXPECT_TRUE(window->CurrentDocument().Modified) << c.name;
        ASSERT_TRUE(window->Files().SaveDocument(0)) << c.name;
        EXPECT_TRUE(Read(path) == expected) << c.name << ": the edits of the views came back wrong";
        ForgetRun();
    }
}

TEST_F(RecoveryWindowTest, OfTwoCopiesOfADocumentOnlyTheLaterComesBackAndTheOtherIsKeptAside) {
    const std::string big = BigLog();
    const std::string path = root + "big.log";
    Write(path, big);
    Start({DisplayPath(path)});
    Type("ab");
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return Copies().size() == 1 && Copies().front().journal->changes.size() == 2; },
        CopyTimeout));
    std::string journal;
    for (const auto& entry : fs::recursive_directory_iterator(RecoveryRoot()))
        if (entry.path().extension() == ".recovery")
            journal = Read(entry.path().string());
    window.reset();

    // A start restored both and was killed after writing its own copies, before it removed the
    // old ones; its journal has one edit more.
    const std::string untitled =
        FormatRecoveryFile({"", 0, 0, 4, "utf-8", ""}, std::string("note"));
    const JournalRecord more{
        0, 3, {{{LineIndex(0), ByteColumn(2)}, {LineIndex(0), ByteColumn(2)}, "c"}}};
    LeaveAbandoned({journal, untitled}, "earlier");
    LeaveAbandoned({journal + FormatJournalRecord(more), untitled}, "later");
    const auto now = fs::file_time_type::clock::now();
    for (const char* file : {"earlier/document-1.recovery", "earlier/document-2.recovery"})
        fs::last_write_time(RecoveryRoot() + "instance-" + file, now - std::chrono::seconds(10));

    dialogs.Queue(DialogAnswer::Yes);
    Start();
    EXPECT_EQ(ShownTexts(),
              QStringList{"Tabrix Pro was not closed properly. Restore 2 unsaved documents?"});
    ASSERT_EQ(window->DocumentCount(), 2);
    const int named = LocalPath(window->DocumentAt(0).FileName) == path ? 0 : 1;
    const TSynEditEngine& engine = window->DocumentAt(named).PlainEditor->Engine();
    EXPECT_EQ(engine.LineText(LineIndex(0)), "abc" + big.substr(0, big.find('\n')));
    EXPECT_EQ(window->DocumentAt(1 - named).PlainEditor->Text(), "note");
    std::size_t aside = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(RecoveryRoot() + "refused"))
        ++aside;
    EXPECT_EQ(aside, 2u) << "the earlier copies were not kept aside";
}
