#include "platform/qt/Shell.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

namespace {

TEST(Shell, StartRunsACommandLineWithQuotedWordsDetached) {
    const QString marker = QDir::temp().filePath("tabrix shell start marker");
    QFile::remove(marker);
    ASSERT_TRUE(ShellStart("touch \"" + marker + "\""));
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(marker) && waited.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marker));
    QFile::remove(marker);
}

TEST(Shell, StartReportsWhatCannotStart) {
    EXPECT_FALSE(ShellStart(""));
    EXPECT_FALSE(ShellStart("/nonexistent/tabrix-no-such-program --flag"));
}

} // namespace
