// Files of open tabs changed, replaced and deleted by another process (a shell), noticed through
// the file watcher and the window's activation.

#include "MainWindowFixture.h"
#include "app/qt/DiskWatch.h"
#include "richedit/qt/RichEdit.h"

#include <QProcess>
#include <QTest>
#include <functional>

namespace {

class FilesChangedOnDiskTest : public MainWindowTest {
protected:
    // Changes files as another program would: a shell script run in the test's folder.
    void Shell(const QString& script) {
        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.start("sh", {"-c", script});
        ASSERT_TRUE(process.waitForFinished(10000));
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    }
    // Waits until the window has noticed what the condition shows.
    static bool Noticed(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, 5000);
    }
    // Activates the window and waits long enough for every check that brings to run.
    void Settle() {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(window.get(), &activate);
        QTest::qWait(DiskWatch::kSettleMilliseconds * 4);
    }

    TMyMemo& Current() { return window->CurrentDocument(); }
    TSynEditWidget& Editor() { return *Current().View().TextEditor(); }
    QStringList ShownLines() {
        QStringList lines;
        const TSynEditStringList& list = Editor().Lines();
        for (LineIndex line(0); line.Value() < list.Count(); ++line)
            lines << QString::fromStdString(std::string(list.Get(line)));
        return lines;
    }
    int CaretLine() { return Editor().Engine().Caret().line.Value(); }
    void PlaceCaret(int line, std::size_t column) {
        Editor().Engine().SetCaret(MakePosition(line, column));
    }
    // Types into the tab's editor: a modification of the user's.
    void Type(const QString& text) {
        QTest::keyClicks(&Current().View().Widget(), text);
        ASSERT_TRUE(Current().Modified);
    }
    // Opens a file of a hundred lines "l1" to "l100", in code view for a ".cpp" and plain view
    // otherwise.
    QString OpenHundredLines(const QString& name) {
        QByteArray text;
        for (int line = 1; line <= 100; ++line)
            text += "l" + QByteArray::number(line) + (line < 100 ? "\n" : "");
        const QString path = WriteFile(name, text);
        window->Files().OpenFile(path);
        return path;
    }
    // What saving these lines writes in either view: the file's own LF breaks, and none after
    // the last line, as the file had none.
    static QByteArray SavedBytes(const QStringList& lines) { return lines.join("\n").toUtf8(); }
};

// "n1" to "n120" with a final line break, as the plain editor and the code editor show them.
QStringList NewLines(int mode) {
    QStringList lines;
    for (int line = 1; line <= 120; ++line)
        lines << "n" + QString::number(line);
    if (mode == vmPlain)
        lines << QString();
    return lines;
}

struct Change {
    const char* name;
    const char* script; // FILE stands for the tab's file name
};

// Each writes the new lines in its own way.
const Change kChanges[] = {
    {"rewritten in place", "seq -f 'n%g' 120 > FILE"},
    {"replaced by rename", "seq -f 'n%g' 120 > FILE.new && mv FILE.new FILE"},
    {"copied over", "seq -f 'n%g' 120 > other && cp other FILE"},
};

QString ScriptFor(const Change& change, const QString& name) {
    return QString(change.script).replace("FILE", name);
}

TEST_F(FilesChangedOnDiskTest, UnmodifiedTabReloadsSilentlyKeepingViewModeCaretAndScroll) {
    for (const char* name : {"plain.txt", "code.cpp"}) {
        for (const Change& change : kChanges) {
            SCOPED_TRACE(std::string(name) + ", " + change.name);
            const QString path = OpenHundredLines(name);
            const int mode = Current().ViewMode;
            // Laid out, so the caret below the top line is in view.
            QApplication::processEvents();
            Editor().SetTopLine(LineIndex(50));
            PlaceCaret(55, 1);
            ASSERT_EQ(Editor().TopLine().Value(), 50);
            dialogs.ClearHistory();

            Shell(ScriptFor(change, name));
            EXPECT_TRUE(Noticed([&] { return ShownLines() == NewLines(mode); }));
            EXPECT_EQ(Current().ViewMode, mode);
            EXPECT_FALSE(Current().Modified);
            EXPECT_EQ(CaretLine(), 55);
            EXPECT_EQ(Editor().Engine().Caret().column.Value(), 1u);
            EXPECT_EQ(Editor().TopLine().Value(), 50);
            EXPECT_TRUE(dialogs.History().empty());
            EXPECT_EQ(window->CurrentDocument().FileName, path);
            window->Tabs().mniCloseClick();
        }
    }
}

TEST_F(FilesChangedOnDiskTest, ABackgroundTabReloadsWithoutTouchingTheCurrentOne) {
    const QString path = OpenHundredLines("background.txt");
    window->mniNewClick();
    window->CurrentPlainEditor()->SetText("untitled text");
    Current().Modified = false;
    Shell("seq -f 'n%g' 120 > background.txt");
    EXPECT_TRUE(Noticed(
        [&] { return window->DocumentAt(0).PlainEditor->Lines().Get(LineIndex(0)) == "n1"; }));
    EXPECT_FALSE(window->DocumentAt(0).Modified);
    EXPECT_EQ(window->CurrentIndex(), 1);
    EXPECT_FALSE(Current().Modified);
    EXPECT_EQ(CurrentText(), "untitled text");
}

TEST_F(FilesChangedOnDiskTest, ReloadedTextShorterThanTheCaretLineLeavesTheCaretOnItsLastLine) {
    for (const char* name : {"plain.txt", "code.cpp"}) {
        SCOPED_TRACE(name);
        OpenHundredLines(name);
        PlaceCaret(70, 2);
        Shell(QString("printf 'a\\nbcd' > %1").arg(name));
        EXPECT_TRUE(Noticed([&] { return ShownLines() == QStringList({"a", "bcd"}); }));
        EXPECT_EQ(CaretLine(), 1);
        EXPECT_EQ(Editor().Engine().Caret().column.Value(), 2u);
        window->Tabs().mniCloseClick();
    }
}

TEST_F(FilesChangedOnDiskTest, RichFileReloadsIntoTheRichView) {
    const QString path = WriteFile("letter.rtf", "{\\rtf1 old text\\par}");
    window->Files().OpenFile(path);
    ASSERT_EQ(Current().ViewMode, vmRich);
    Shell("printf '{\\\\rtf1 first\\\\par second\\\\par}' > letter.rtf.new && mv letter.rtf.new "
          "letter.rtf");
    EXPECT_TRUE(Noticed([&] { return Current().RichEditor->Lines().value(0) == "first"; }))
        << Current().RichEditor->Lines().join("|").toStdString();
    EXPECT_EQ(Current().RichEditor->Lines().value(1), "second");
    EXPECT_EQ(Current().ViewMode, vmRich);
    EXPECT_FALSE(Current().Modified);
}

TEST_F(FilesChangedOnDiskTest, ModifiedTabAsksOnceAndReloadsOnlyOnYes) {
    for (const char* name : {"plain.txt", "code.cpp"}) {
        for (const Change& change : kChanges) {
            for (const DialogAnswer answer : {DialogAnswer::Yes, DialogAnswer::No}) {
                const bool yes = answer == DialogAnswer::Yes;
                SCOPED_TRACE(std::string(name) + ", " + change.name + (yes ? ", Yes" : ", No"));
                const QString path = OpenHundredLines(name);
                PlaceCaret(2, 0);
                Type("mine ");
                const QStringList edited = ShownLines();
                dialogs.ClearHistory();
                dialogs.Queue(answer);

                Shell(ScriptFor(change, name));
                ASSERT_TRUE(Noticed([&] { return dialogs.Pending() == 0; }));
                ASSERT_EQ(dialogs.History().size(), 1u);
                EXPECT_EQ(dialogs.History()[0].messageKind, MessageKind::Confirmation);
                EXPECT_EQ(dialogs.History()[0].buttons, MessageButtons::YesNo);
                EXPECT_EQ(dialogs.History()[0].text,
                          "File " + path +
                              " has been changed by another program.  Reload it and lose your "
                              "changes?");
                EXPECT_EQ(ShownLines(), yes ? NewLines(Current().ViewMode) : edited);
                EXPECT_EQ(Current().Modified, !yes);
                EXPECT_EQ(CaretLine(), 2);

                // The same change is not asked about again.
                Settle();
                EXPECT_EQ(dialogs.History().size(), 1u);
                // The tab's own edits stay, and closing still protects them.
                if (!yes) {
                    dialogs.Queue(DialogAnswer::No);
                    ASSERT_TRUE(window->CloseDocument(window->CurrentIndex()));
                    EXPECT_EQ(dialogs.History().back().text,
                              "File " + path + " has been modified.  Save changes?");
                } else {
                    window->Tabs().mniCloseClick();
                }
            }
        }
    }
}

TEST_F(FilesChangedOnDiskTest, AChangeAfterNoIsAskedAboutAgain) {
    const QString path = OpenHundredLines("notes.txt");
    Type("mine ");
    dialogs.Queue(DialogAnswer::No);
    Shell("printf 'second' > notes.txt");
    ASSERT_TRUE(Noticed([&] { return dialogs.Pending() == 0; }));
    Settle();
    ASSERT_EQ(dialogs.History().size(), 1u);

    dialogs.Queue(DialogAnswer::Yes);
    Shell("printf 'third, longer' > notes.txt");
    ASSERT_TRUE(Noticed([&] { return ShownLines() == QStringList({"third, longer"}); }));
    EXPECT_EQ(dialogs.History().size(), 2u);
    EXPECT_FALSE(Current().Modified);
}

// Answers as a modal message box does: the event loop runs while the question is open, and
// meanwhile the file changes once more.
class ModalDialogs : public ScriptedDialogs {
public:
    explicit ModalDialogs(std::function<void()> whileOpen) : whileOpen(std::move(whileOpen)) {}
    DialogAnswer Message(MessageKind kind, const QString& caption, const QString& text,
                         MessageButtons buttons) override {
        ++open;
        deepest = std::max(deepest, open);
        if (open == 1)
            whileOpen();
        --open;
        return ScriptedDialogs::Message(kind, caption, text, buttons);
    }
    int deepest = 0;

private:
    std::function<void()> whileOpen;
    int open = 0;
};

TEST_F(FilesChangedOnDiskTest, NoSecondQuestionWhileOneIsOpenButTheNewChangeIsAskedAfter) {
    const QString path = WriteFile("notes.txt", "first");
    int changesWhileOpen = 0;
    ModalDialogs modal([&] {
        if (changesWhileOpen++ == 0)
            Shell("printf 'third, longer' > notes.txt");
        Settle();
    });
    TForm1 other(modal);
    ShowAndStart(other);
    other.Files().OpenFile(path);
    QTest::keyClicks(&other.CurrentDocument().View().Widget(), "mine ");
    modal.Queue(DialogAnswer::No);
    modal.Queue(DialogAnswer::No);

    Shell("printf 'second' > notes.txt");
    ASSERT_TRUE(Noticed([&] { return modal.Pending() == 0; }));
    Settle();
    EXPECT_EQ(modal.deepest, 1);
    EXPECT_EQ(modal.History().size(), 2u);
    EXPECT_EQ(other.CurrentPlainEditor()->Text(), "mine first");
    EXPECT_EQ(modal.Unanswered(), 0);
}

TEST_F(FilesChangedOnDiskTest, DeletedOrRenamedAwayMarksTheTabModifiedSoClosingAsks) {
    struct Case {
        const char* name;
        const char* script;
        bool edited;
    };
    for (const char* name : {"plain.txt", "code.cpp"}) {
        for (const Case& c : {Case{"deleted", "rm FILE", false}, Case{"deleted", "rm FILE", true},
                              Case{"renamed away", "mv FILE elsewhere", false}}) {
            SCOPED_TRACE(std::string(name) + ", " + c.name + (c.edited ? ", edited" : ""));
            const QString path = OpenHundredLines(name);
            if (c.edited)
                Type("mine ");
            const QStringList before = ShownLines();
            dialogs.ClearHistory();

            Shell(QString(c.script).replace("FILE", name));
            EXPECT_TRUE(Noticed([&] { return Current().Modified; }));
            Settle();
            EXPECT_TRUE(dialogs.History().empty());
            EXPECT_EQ(ShownLines(), before);

            // Closing asks; Yes writes the text back where the file was.
            dialogs.Queue(DialogAnswer::Yes);
            ASSERT_TRUE(window->CloseDocument(window->CurrentIndex()));
            ASSERT_EQ(dialogs.History().size(), 1u);
            EXPECT_EQ(dialogs.History()[0].text,
                      "File " + path + " has been modified.  Save changes?");
            EXPECT_EQ(ReadFile(path), SavedBytes(before));
            Shell(QString("rm -f %1 elsewhere").arg(name));
        }
    }
}

TEST_F(FilesChangedOnDiskTest, AFileThatComesBackCountsAsChanged) {
    struct Case {
        const char* name;
        const char* recreate;
        bool editedWhileGone;
        QStringList expected; // after the file came back
        int questions;
    };
    const Case cases[] = {
        {"recreated, tab untouched", "printf 'back' > FILE", false, {"back"}, 0},
        {"recreated, tab edited while gone", "printf 'back' > FILE", true, {}, 1},
        {"renamed back unchanged, tab untouched", "mv away FILE", false, {}, 0},
    };
    for (const char* name : {"plain.txt", "code.cpp"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(name) + ", " + c.name);
            OpenHundredLines(name);
            dialogs.ClearHistory();
            Shell(QString("mv %1 away").arg(name));
            ASSERT_TRUE(Noticed([&] { return Current().Modified; }));
            if (c.editedWhileGone)
                Type("mine ");
            const QStringList kept = ShownLines();
            if (c.questions > 0)
                dialogs.Queue(DialogAnswer::No);

            Shell(QString(c.recreate).replace("FILE", name));
            const QStringList expected = c.expected.isEmpty() ? kept : c.expected;
            if (c.questions > 0)
                EXPECT_TRUE(Noticed([&] { return dialogs.Pending() == 0; }));
            else
                EXPECT_TRUE(Noticed([&] { return !Current().Modified; }));
            Settle();
            EXPECT_EQ(ShownLines(), expected);
            EXPECT_EQ(Current().Modified, c.editedWhileGone);
            EXPECT_EQ(int(dialogs.History().size()), c.questions);
            if (c.editedWhileGone) {
                dialogs.Queue(DialogAnswer::No);
                window->CloseDocument(window->CurrentIndex());
            } else {
                window->Tabs().mniCloseClick();
            }
            Shell(QString("rm -f %1 away").arg(name));
        }
    }
}

TEST_F(FilesChangedOnDiskTest, OwnSavesTriggerNothing) {
    for (const char* name : {"plain.txt", "code.cpp", "letter.rtf"}) {
        SCOPED_TRACE(name);
        const QString path =
            WriteFile(name, QString(name).endsWith(".rtf") ? "{\\rtf1 start\\par}" : "start");
        window->Files().OpenFile(path);
        QWidget* editor = &Current().View().Widget();
        QTest::keyClicks(editor, "typed ");
        window->Files().mniSaveClick();
        ASSERT_FALSE(Current().Modified);
        const QByteArray saved = ReadFile(path);
        // Edited again before the window looks: a save taken for another program's change
        // would ask whether to reload.
        QTest::keyClicks(editor, "more ");
        Settle();
        EXPECT_TRUE(dialogs.History().empty());
        EXPECT_TRUE(Current().Modified);
        EXPECT_EQ(ReadFile(path), saved);
        window->Files().mniSaveClick();
        Settle();
        EXPECT_TRUE(dialogs.History().empty());

        // The watch is still live after the saves replaced the file.
        Shell(QString("printf 'from elsewhere' > %1.new && mv %1.new %1").arg(name));
        EXPECT_TRUE(Noticed([&] {
            return Current().ViewMode == vmRich
                       ? Current().RichEditor->Lines().value(0) == "from elsewhere"
                       : ShownLines().value(0) == "from elsewhere";
        }));
        EXPECT_TRUE(dialogs.History().empty());
        window->Tabs().mniCloseClick();
    }
}

TEST_F(FilesChangedOnDiskTest, SavingOverAFileChangedSinceLoadingAsksFirst) {
    for (const DialogAnswer answer : {DialogAnswer::Yes, DialogAnswer::No}) {
        const bool yes = answer == DialogAnswer::Yes;
        SCOPED_TRACE(yes ? "Yes" : "No");
        const QString path = OpenHundredLines("notes.txt");
        Type("mine ");
        // Saved before the window had a chance to notice the change.
        Shell("printf 'theirs' > notes.txt");
        dialogs.ClearHistory();
        dialogs.Queue(answer);
        EXPECT_EQ(window->Files().SaveDocument(window->CurrentIndex()), yes);
        ASSERT_EQ(dialogs.History().size(), 1u);
        EXPECT_EQ(dialogs.History()[0].messageKind, MessageKind::Warning);
        EXPECT_EQ(dialogs.History()[0].text,
                  "File " + path +
                      " has been changed by another program since it was opened or saved.  "
                      "Overwrite it?");
        EXPECT_EQ(ReadFile(path), yes ? SavedBytes(ShownLines()) : QByteArray("theirs"));
        EXPECT_EQ(Current().Modified, !yes);
        if (!yes) {
            // Declined, the save failed: closing with Yes keeps the tab, as after any failed
            // save.
            dialogs.Queue(DialogAnswer::Yes);
            dialogs.Queue(DialogAnswer::No);
            EXPECT_FALSE(window->CloseDocument(window->CurrentIndex()));
            EXPECT_EQ(window->CurrentDocument().FileName, path);
            EXPECT_EQ(ReadFile(path), "theirs");
            dialogs.Queue(DialogAnswer::No);
            window->CloseDocument(window->CurrentIndex());
        } else {
            Settle();
            EXPECT_EQ(dialogs.History().size(), 1u) << "the save itself is no change";
            window->Tabs().mniCloseClick();
        }
    }
}

TEST_F(FilesChangedOnDiskTest, SavingAfterDecliningAReloadAsksBeforeOverwriting) {
    const QString path = OpenHundredLines("notes.txt");
    Type("mine ");
    dialogs.Queue(DialogAnswer::No);
    Shell("printf 'theirs' > notes.txt");
    ASSERT_TRUE(Noticed([&] { return dialogs.Pending() == 0; }));
    dialogs.Queue(DialogAnswer::Yes);
    window->Files().mniSaveClick();
    ASSERT_EQ(dialogs.History().size(), 2u);
    EXPECT_TRUE(dialogs.History()[1].text.endsWith("Overwrite it?"));
    EXPECT_EQ(ReadFile(path), SavedBytes(ShownLines()));
    EXPECT_FALSE(Current().Modified);
}

} // namespace
