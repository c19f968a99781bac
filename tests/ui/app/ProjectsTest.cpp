#include "SettingsFixture.h"
#include "app/qt/RecentMenus.h"
#include "app/qt/WindowProjects.h"

#include <unistd.h>

namespace {

class ProjectsTest : public SettingsTest {
protected:
    void TearDown() override {
        QDir::setCurrent(startFolder);
        SettingsTest::TearDown();
    }
    QString File(const QString& name, const QByteArray& bytes = "text") {
        const QString path = root.filePath(name);
        Write(path, bytes);
        return path;
    }
    QString DefaultProject() const { return SettingsFolder() + "/default.txp"; }
    QStringList OpenPaths() const {
        QStringList paths;
        for (int i = 0; i < window->DocumentCount(); ++i)
            paths << window->DocumentAt(i).FileName;
        return paths;
    }
    QStringList Messages() const {
        QStringList texts;
        for (const auto& shown : dialogs.History()) {
            if (shown.kind == ScriptedDialogs::Kind::Message)
                texts << shown.text;
        }
        return texts;
    }
    // Close All, then the project, as the Open dialog's "Text Projects" type does.
    void OpenProject(const QString& path) {
        dialogs.QueueFiles({path}, 2);
        window->Files().mniOpenClick();
    }

    QString startFolder = QDir::currentPath();
};

TEST_F(ProjectsTest, SaveProjectAsWritesNamedTabsRelativeToTheProjectFolder) {
    const QString a = File("p/a.txt"), sub = File("p/sub/s.txt"), b = File("x/b.txt");
    Start();
    window->Files().OpenFile(a);
    window->mniNewClick();
    window->Files().OpenFile(sub);
    window->Files().OpenFile(b);
    const QString project = root.filePath("p/work.txp");
    dialogs.QueueFiles({project});
    Part<QAction>(*window, "SaveProjectAs1").trigger();
    EXPECT_EQ(dialogs.History().back().fileRequest.filters[0].caption, "Text Projects (*.txp)");
    EXPECT_EQ(Read(project), ("a.txt\r\nsub/s.txt\r\n" + b + "\r\n").toUtf8());
    EXPECT_EQ(window->Projects().CurrentProject(), project);
    EXPECT_EQ(window->windowIconText(), "Tabrix Pro [" + project + "]");
    EXPECT_EQ(window->windowTitle().count("Tabrix Pro"), 1);
    // Saving a project adds nothing to the recent list.
    EXPECT_EQ(window->Recent().RecentFiles()[0], b);

    // Save All writes the current project again, with the tabs as they are now.
    window->Tabs().mniCloseClick();
    window->Files().mniSaveAllClick();
    EXPECT_EQ(Read(project), "a.txt\r\nsub/s.txt\r\n");
}

TEST_F(ProjectsTest, LoadingOpensEveryEntryRelativeToTheProjectNotTheCurrentFolder) {
    const QString a = File("p/a.txt", "A"), b = File("x/b.txt", "B"), c = File("p/c d.txt");
    const QString project = File("p/work.txp", ("a.txt\n\n   \n" + b + "\n\t\nc d.txt").toUtf8());
    QDir().mkpath(root.filePath("elsewhere/p"));
    File("elsewhere/p/a.txt", "wrong");
    QDir::setCurrent(root.filePath("elsewhere"));
    Start();
    window->CurrentPlainEditor()->SetText("edited");
    window->mniNewClick();
    // The first tab is hidden from Close All: it stays, the project's files come after it.
    window->DocumentAt(0).HiddenFromCloseAll = true;
    OpenProject(project);
    EXPECT_EQ(OpenPaths(), QStringList({QString(), a, b, c}));
    EXPECT_EQ(window->Projects().CurrentProject(), project);
    window->SelectIndex(1);
    EXPECT_EQ(window->CurrentPlainEditor()->Text(), "A");
    EXPECT_TRUE(Messages().filter("not found").isEmpty());
}

TEST_F(ProjectsTest, LfAndCrLfProjectsLoadAlike) {
    const QString a = File("a.txt"), b = File("b.txt");
    Start();
    for (const QByteArray& content : {QByteArray("a.txt\r\nb.txt\r\n"),
                                      QByteArray("a.txt\nb.txt\n"), QByteArray("a.txt\rb.txt")}) {
        const QString project = File("lines.txp", content);
        OpenProject(project);
        EXPECT_EQ(OpenPaths(), QStringList({a, b})) << content.toStdString();
    }
}

TEST_F(ProjectsTest, BadProjectsSayWhatIsWrongAndOpenTheRest) {
    File("p/good.txt");
    QDir().mkpath(root.filePath("p/folder"));
    const QString self = root.filePath("p/self.txp");
    QByteArray hundredThousand;
    for (int i = 0; i < 100000; ++i)
        hundredThousand += "f" + QByteArray::number(i) + "\r\n";
    const struct {
        const char* name;
        QByteArray content;
        QStringList messages;
        QStringList open; // relative to p/
    } cases[] = {
        {"binary", QByteArray("good.txt\r\n\0\x01\x02", 13), {"Error opening project"}, {""}},
        {"100,000 lines", hundredThousand, {"Error opening project"}, {""}},
        {"a folder",
         "folder\r\ngood.txt\r\n",
         {root.filePath("p/folder") + " is not a file"},
         {"good.txt"}},
        {"Windows paths name files in the project folder",
         "C:\\x\\b.txt\r\n\\b.txt\r\ngood.txt\r\n",
         {root.filePath("p/C:\\x\\b.txt") + " not found\n" + root.filePath("p/\\b.txt") +
          " not found"},
         {"good.txt"}},
        {"a device",
         "/dev/null\r\ngood.txt\r\n",
         {"Cannot open \"/dev/null\": It is not a regular file"},
         {"good.txt"}},
        {"itself opens as text", "self.txp\r\n", {}, {"self.txp"}},
        {"deleted files",
         "gone.txt\r\ngood.txt\r\n",
         {root.filePath("p/gone.txt") + " not found"},
         {"good.txt"}},
    };
    Start();
    for (const auto& c : cases) {
        Write(self, c.content);
        dialogs.ClearHistory();
        OpenProject(self);
        EXPECT_EQ(Messages(), c.messages) << c.name;
        QStringList expected;
        for (const QString& name : c.open)
            expected << (name.isEmpty() ? QString() : root.filePath("p/" + name));
        EXPECT_EQ(OpenPaths(), expected) << c.name;
    }
}

TEST_F(ProjectsTest, OnlyAProjectFileOpensAsAProjectWhateverTheFileTypeShown) {
    QByteArray source;
    for (int line = 1; line <= 375; ++line)
        source += "int line" + QByteArray::number(line) + ";\r\n";
    const QString kept = File("kept.txt", "kept"), code = File("main.cpp", source);
    const QString project = File("work.txp", "kept.txt\r\n");
    Start();
    OpenProject(project);
    // The Open dialog shows the project type again; a source file chosen under it is a document.
    OpenProject(code);
    EXPECT_EQ(OpenPaths(), QStringList({kept, code}));
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
    EXPECT_EQ(window->Projects().CurrentProject(), project);
    window->Files().mniSaveAllClick();
    EXPECT_EQ(Read(code), source);
    EXPECT_EQ(Read(project), "kept.txt\r\nmain.cpp\r\n");
}

TEST_F(ProjectsTest, TheStatusBarShowsTheCurrentProject) {
    const QString a = File("p/a.txt");
    Start();
    const QLabel& field = Part<QLabel>(*window, "StatusBarProject");
    EXPECT_FALSE(field.isVisible()) << "no project yet";
    window->Files().OpenFile(a);
    const QString project = root.filePath("p/work.txp");
    dialogs.QueueFiles({project});
    Part<QAction>(*window, "SaveProjectAs1").trigger();
    EXPECT_TRUE(field.isVisible());
    EXPECT_EQ(field.text(), "Project: work.txp");
    EXPECT_EQ(field.toolTip(), project);
    // The captions stay the program's own.
    EXPECT_EQ(window->windowTitle(), "Tabrix Pro [" + a + "]");

    Restart();
    EXPECT_TRUE(Part<QLabel>(*window, "StatusBarProject").isVisible());
    EXPECT_EQ(Part<QLabel>(*window, "StatusBarProject").text(), "Project: default.txp");
    EXPECT_EQ(Part<QLabel>(*window, "StatusBarProject").toolTip(), DefaultProject());
}

TEST_F(ProjectsTest, MissingEntriesAreListedInOneBox) {
    const QString good = File("p/good.txt");
    QDir().mkpath(root.filePath("p/folder"));
    const struct {
        const char* name;
        int missing;
        bool folder;
        int listed; // lines naming an entry
        QString more;
    } cases[] = {
        {"one", 1, false, 1, ""},
        {"two and a folder", 2, true, 3, ""},
        {"twenty", 20, false, 20, ""},
        {"375 entries", 374, true, 20, "and 355 more"},
    };
    Start();
    for (const auto& c : cases) {
        QByteArray content = "good.txt\r\n";
        QStringList expected;
        if (c.folder) {
            content += "folder\r\n";
            expected << root.filePath("p/folder") + " is not a file";
        }
        for (int i = 1; i <= c.missing; ++i) {
            content += "gone" + QByteArray::number(i) + ".txt\r\n";
            expected << root.filePath("p/gone" + QString::number(i) + ".txt") + " not found";
        }
        expected = expected.mid(0, c.listed);
        if (!c.more.isEmpty())
            expected << c.more;
        dialogs.ClearHistory();
        OpenProject(File("p/lost.txp", content));
        EXPECT_EQ(Messages(), QStringList({expected.join("\n")})) << c.name;
        EXPECT_EQ(OpenPaths(), QStringList({good})) << c.name;
    }
}

TEST_F(ProjectsTest, AnUnreadableProjectKeepsTheCurrentProject) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const QString good = File("good.txp", "");
    const QString locked = File("locked.txp", "a.txt\r\n");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    Start();
    OpenProject(good);
    OpenProject(locked);
    EXPECT_EQ(Messages(), QStringList({"Error opening project"}));
    EXPECT_EQ(window->Projects().CurrentProject(), good);
}

TEST_F(ProjectsTest, TheTabsOfTheLastExitComeBackThroughDefaultProject) {
    const QString a = File("a.txt", "A"), b = File("b.txt", "B"), gone = File("gone.txt");
    Start();
    EXPECT_TRUE(window->Projects().CurrentProject().isEmpty());
    window->Files().OpenFile(a);
    window->Files().OpenFile(gone);
    window->mniNewClick();
    window->Files().OpenFile(b);
    window->SelectIndex(0);
    Exit();
    EXPECT_EQ(Read(DefaultProject()), (a + "\r\n" + gone + "\r\n" + b + "\r\n").toUtf8());

    QFile::remove(gone);
    Start();
    EXPECT_EQ(Messages(), QStringList({gone + " not found"}));
    EXPECT_EQ(OpenPaths(), QStringList({a, b}));
    // The tab current at exit is current again, not the last one the project opened.
    EXPECT_EQ(window->CurrentIndex(), 0);
    EXPECT_EQ(window->Projects().CurrentProject(), DefaultProject());
    EXPECT_TRUE(window->windowIconText().endsWith("[" + DefaultProject() + "]"));

    // Exit with no named document: an empty project, and one empty tab next time.
    window->Tabs().mniCloseAllClick();
    Restart();
    EXPECT_EQ(Read(DefaultProject()), "");
    EXPECT_EQ(window->DocumentCount(), 1);
    EXPECT_TRUE(window->CurrentDocument().FileName.isEmpty());
}

TEST_F(ProjectsTest, StartUpGoesOnWhenDefaultProjectCannotBeReadOrWritten) {
    const QString a = File("a.txt");
    Write(DefaultProject(), QByteArray("\0\0binary", 8));
    Start();
    window->Files().OpenFile(a);
    EXPECT_EQ(Messages(), QStringList({"Error opening project"}));
    EXPECT_TRUE(window->Projects().CurrentProject().isEmpty());

    // A default project that cannot be written is reported, and the exit still completes.
    QFile::remove(DefaultProject());
    QDir().mkpath(DefaultProject());
    dialogs.ClearHistory();
    Exit();
    ASSERT_EQ(dialogs.History().size(), 1u);
    EXPECT_EQ(dialogs.History()[0].messageKind, MessageKind::Error);
    EXPECT_TRUE(Read(MainSettingsPath()).contains("[Form]"));
}

} // namespace
