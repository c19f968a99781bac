// The X11 primary selection both ways between the rich view (Qt's text edit) and the program's
// own editor: selecting offers the text, a middle click in the other tab pastes it there, and the
// saved files show it arrived.

#include "desktop/XDesktop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(SelectionOnDesktopTest, SelectedTextIsPastedByTheMiddleButtonBetweenEditors) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    XDesktop desktop;
    ASSERT_TRUE(desktop.Error().isEmpty()) << desktop.Error().toStdString();
    const QString plain = QDir(home.path()).filePath("plain.txt");
    const QString rich = QDir(home.path()).filePath("letter.rtf");
    WriteFile(plain, "alpha beta\n");
    WriteFile(rich, "{\\rtf1\\ansi gamma delta\\par}");

    ProgramOnDesktop program(desktop, home.path(), {plain, rich});
    const QString window = program.MainWindow();
    ASSERT_FALSE(window.isEmpty()) << "the main window never showed";
    program.Activate(window);
    const QPoint middle(400, 400);
    // One editor after the other: select its first line by keys, go to the other tab, paste
    // there with the middle button, save.
    const auto carry = [&] {
        program.Keys("ctrl+Home shift+End");
        QThread::msleep(300);
        program.Keys("ctrl+Tab");
        QThread::msleep(300);
        program.Click(window, middle, 2);
        QThread::msleep(300);
        program.Keys("ctrl+s");
        QThread::msleep(500);
    };
    carry(); // from the rich view into the plain editor
    carry(); // and from the plain editor back into the rich view
    program.Activate(window);
    program.Keys("alt+F4");
    ASSERT_TRUE(program.WaitForExit(10000));

    EXPECT_TRUE(ReadFile(plain).contains("gamma delta")) << ReadFile(plain).toStdString();
    EXPECT_TRUE(ReadFile(rich).contains("alpha beta")) << ReadFile(rich).toStdString();
}

} // namespace
