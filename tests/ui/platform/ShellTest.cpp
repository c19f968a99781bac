#include "platform/qt/Shell.h"

#include "support/TemporaryFolderTest.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>
#include <vector>

namespace {

class ShellStartTest : public TemporaryFolderTest {};

TEST_F(ShellStartTest, RunsACommandLineWithQuotedWordsDetached) {
    const QString marker = QString::fromStdString(root) + "shell start marker";
    ASSERT_TRUE(ShellStart("touch \"" + marker + "\""));
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(marker) && waited.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marker));
}

TEST(Shell, StartReportsWhatCannotStart) {
    EXPECT_FALSE(ShellStart(""));
    EXPECT_FALSE(ShellStart("/nonexistent/tabrix-no-such-program --flag"));
}

} // namespace

namespace {

class UrlRecorder : public QObject {
    Q_OBJECT
public slots:
    void Open(const QUrl& url) { opened.push_back(url); }

public:
    std::vector<QUrl> opened;
};

TEST(Shell, OpenHandsPathsAsFileUrlsAndLinksAsTheyAre) {
    UrlRecorder recorder;
    for (const char* scheme : {"file", "https", "mailto"})
        QDesktopServices::setUrlHandler(scheme, &recorder, "Open");
    struct Case {
        QString given;
        QUrl opened;
    };
    const Case cases[] = {
        {"/tmp/preview 1.html", QUrl::fromLocalFile("/tmp/preview 1.html")},
        {"notes.txt", QUrl::fromLocalFile(QDir::current().absoluteFilePath("notes.txt"))},
        {"https://example.org/a?b=c", QUrl("https://example.org/a?b=c")},
        {"mailto:someone@example.org", QUrl("mailto:someone@example.org")},
        {"file:///tmp/x.html", QUrl("file:///tmp/x.html")},
    };
    for (const Case& c : cases) {
        recorder.opened.clear();
        EXPECT_TRUE(ShellOpen(c.given)) << c.given.toStdString();
        ASSERT_EQ(recorder.opened.size(), 1u) << c.given.toStdString();
        EXPECT_EQ(recorder.opened.front(), c.opened) << c.given.toStdString();
    }
    for (const char* scheme : {"file", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(scheme);
}

} // namespace

#include "ShellTest.moc"
