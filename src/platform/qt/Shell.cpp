#include "platform/qt/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace {

// "scheme:" with a scheme of two letters or more; "C:" stays a drive for a Windows path.
bool LooksLikeUrl(const QString& text) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(text).hasMatch();
}

} // namespace

bool ShellOpen(const QString& pathOrUrl) {
    const QUrl url = LooksLikeUrl(pathOrUrl)
                         ? QUrl(pathOrUrl)
                         : QUrl::fromLocalFile(QDir::current().absoluteFilePath(pathOrUrl));
    return QDesktopServices::openUrl(url);
}

bool ShellStart(const QString& commandLine) {
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words);
}
