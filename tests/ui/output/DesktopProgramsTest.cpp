// Preview in Browser and Speak Settings hand their work to a program of the desktop; when the
// desktop has none, or it will not start, a box says so, and the preview page stays written.

#include "output/qt/HtmlExportCommands.h"
#include "output/qt/SpeechCommands.h"
#include "platform/Registry.h"
#include "platform/SpeechSettings.h"
#include "platform/qt/ScriptedDialogs.h"
#include "support/TemporaryFolderTest.h"

#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QFile>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>
#include <optional>

namespace {

class Browser : public QObject {
    Q_OBJECT
public slots:
    void Open(const QUrl& url) { opened.push_back(url); }

public:
    std::vector<QUrl> opened;
};

class DesktopProgramsTest : public TemporaryFolderTest {
protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        savedPath = qgetenv("PATH");
        std::filesystem::create_directories(root + "bin");
        qputenv("PATH", QByteArray::fromStdString(root + "bin"));
    }
    void TearDown() override {
        qputenv("PATH", savedPath);
        TemporaryFolderTest::TearDown();
    }

    // The one box shown after the question, if any.
    std::optional<QString> BoxAfterQuestion() const {
        EXPECT_GE(dialogs.History().size(), 1u);
        if (dialogs.History().size() < 2)
            return std::nullopt;
        EXPECT_EQ(dialogs.History()[1].kind, ScriptedDialogs::Kind::Message);
        return dialogs.History()[1].text;
    }

    QByteArray savedPath;
    ScriptedDialogs dialogs;
};

TEST_F(DesktopProgramsTest, PreviewWithoutABrowserSaysSoAndKeepsThePage) {
    for (const bool hasBrowser : {true, false}) {
        SCOPED_TRACE(hasBrowser ? "with a browser" : "without one");
        dialogs.ClearHistory();
        Browser browser;
        if (hasBrowser)
            QDesktopServices::setUrlHandler("file", &browser, "Open");
        dialogs.Queue(DialogAnswer::Yes);
        PreviewInBrowser(dialogs, "page text", ProgramEncoding(), QFont("Courier New", 10));
        QDesktopServices::unsetUrlHandler("file");

        const std::optional<QString> box = BoxAfterQuestion();
        if (hasBrowser) {
            EXPECT_EQ(box, std::nullopt);
            ASSERT_EQ(browser.opened.size(), 1u);
            EXPECT_TRUE(QFile::exists(browser.opened.front().toLocalFile()));
            continue;
        }
        ASSERT_TRUE(box);
        const QString path = box->section('"', 1, 1);
        EXPECT_EQ(*box, "The preview was written to \"" + path +
                            "\", but this desktop has no program to show it. Install a web "
                            "browser, or make one the default for HTML files.");
        QFile page(path);
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_TRUE(page.readAll().contains("page&nbsp;text"));
    }
}

TEST_F(DesktopProgramsTest, SpeakSettingsWithoutAProgramOrOneThatWillNotStartSaysSo) {
    const std::string marker = root + "started";
    const struct {
        const char* installed; // a settings program on PATH; nullptr for none
        const char* registryValue;
        std::optional<QString> box;
    } cases[] = {
        {"pavucontrol", nullptr, std::nullopt},
        {nullptr, nullptr,
         "This desktop has no program for the speech settings. Install one of these: "
         "gnome-control-center, systemsettings, pavucontrol-qt, pavucontrol, "
         "mate-volume-control."},
        {nullptr, "/nonexistent/speech settings",
         "Cannot start the speech settings: \"/nonexistent/speech settings\"."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box.value_or("started").toStdString());
        dialogs.ClearHistory();
        std::filesystem::remove_all(root + "bin");
        std::filesystem::remove_all(root + "registry");
        std::filesystem::create_directories(root + "bin");
        if (c.installed) {
            const std::string program = root + "bin/" + c.installed;
            Write(program, "#!/bin/sh\n: > '" + marker + "'\n");
            chmod(program.c_str(), 0755);
        }
        Registry registry(root + "registry");
        if (c.registryValue) {
            ASSERT_TRUE(
                RegistryKey::OpenOrCreate(registry, RegistryHive::LocalMachine, SpeechSettingsKey)
                    ->WriteString(SpeechSettingsValue, c.registryValue));
        }
        OpenSpeechSettings(dialogs, registry);

        if (!c.box) {
            EXPECT_TRUE(dialogs.History().empty());
            const QDeadlineTimer deadline(10000);
            while (!std::filesystem::exists(marker) && !deadline.hasExpired())
                QThread::msleep(20);
            EXPECT_TRUE(std::filesystem::exists(marker)) << "the settings program never ran";
            continue;
        }
        ASSERT_EQ(dialogs.History().size(), 1u);
        EXPECT_EQ(dialogs.History()[0].text, *c.box);
    }
}

} // namespace

#include "DesktopProgramsTest.moc"
