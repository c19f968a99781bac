#pragma once
// A main window whose settings folder and program folder are the test's own temporary folders,
// so a test can write settings and style files, restart the window and read what it saved.

#include "MainWindowFixture.h"
#include "app/qt/SettingsAndStyles.h"

#include <QDir>
#include <QMenu>
#include <QWindow>
#include <cstdlib>

class SettingsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir().mkpath(ProgramFolder()));
        SetEnvironment("XDG_CONFIG_HOME", root.filePath("config"));
        SetEnvironment("TABRIX_DATA_DIR", ProgramFolder() + "/");
    }
    void TearDown() override {
        window.reset();
        EXPECT_EQ(dialogs.Unanswered(), 0) << "a question was asked that the test did not expect";
    }

    static void SetEnvironment(const char* name, const QString& value) {
        setenv(name, QFile::encodeName(value).constData(), 1);
    }

    QString SettingsFolder() const { return root.filePath("config/Tabrix_Pro"); }
    QString ProgramFolder() const { return root.filePath("program"); }
    QString MainSettingsPath() const { return SettingsFolder() + "/tabrix_pro.ini"; }

    static void Write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
    }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // Starts the program's window as a start of the program would.
    void Start() {
        window = std::make_unique<TForm1>(dialogs);
        ShowAndStart(*window);
        QApplication::processEvents();
    }
    // Exits as File > Exit does, then starts again.
    void Restart() {
        Exit();
        Start();
    }
    void Exit() {
        window->close();
        QApplication::processEvents();
        window.reset();
    }

    // Places the window by its outer rectangle, as the settings files give it.
    void SetFrame(const QRect& frame) {
        window->setGeometry(frame.marginsRemoved(window->windowHandle()->frameMargins()));
        QApplication::processEvents();
    }

    // Captions of a menu's items without accelerator marks; "|" for a separator.
    static QStringList Captions(const QMenu* menu) {
        QStringList captions;
        for (const QAction* action : menu->actions())
            captions << (action->isSeparator() ? QString("|") : action->text().remove('&'));
        return captions;
    }
    // The style names as listed ("&&" in a caption shows one "&").
    QStringList StyleCaptions() const {
        QStringList names;
        for (const QAction* action : Part<QMenu>(*window, "mniStyles").actions())
            names << QString(action->text()).replace("&&", "&");
        return names;
    }
    QString CheckedStyle() const {
        for (const QAction* action : Part<QMenu>(*window, "mniStyles").actions()) {
            if (action->isChecked())
                return action->text().replace("&&", "&");
        }
        return "<none>";
    }

    QTemporaryDir root;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> window;
};
