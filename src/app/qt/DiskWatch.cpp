#include "app/qt/DiskWatch.h"

#include "app/qt/StatusBarProgress.h"
#include "platform/FileSystem.h"
#include "platform/qt/PathNames.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QWidget>
#include <set>

namespace {

bool SameFile(const std::optional<FileStamp>& a, const FileStamp& b) {
    return a && a->device == b.device && a->inode == b.inode;
}

} // namespace

DiskWatch::DiskWatch(QWidget& window, std::function<void()> check)
    : QObject(&window), check(std::move(check)) {
    settle.setSingleShot(true);
    settle.setInterval(kSettleMilliseconds);
    connect(&settle, &QTimer::timeout, this, &DiskWatch::Run);
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &DiskWatch::Schedule);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &DiskWatch::Schedule);
    window.installEventFilter(this);
}

void DiskWatch::WatchOnly(const std::vector<std::string>& files) {
    std::map<std::string, std::optional<FileStamp>> wanted;
    std::set<QString> folders;
    for (const std::string& file : files) {
        wanted.emplace(file, StampOfFile(file));
        folders.insert(DisplayPath(FolderPathOf(file)));
    }
    for (const auto& [file, stamp] : watchedFiles) {
        const auto found = wanted.find(file);
        if (found == wanted.end() || !SameFile(found->second, stamp))
            watcher.removePath(DisplayPath(file));
    }
    watchedFiles.clear();
    // The watcher forgets a file by itself when it is deleted or renamed away.
    // Sets: a project of many files must not compare every name with every other.
    const QStringList watchingList = watcher.files();
    const QSet<QString> watching(watchingList.begin(), watchingList.end());
    for (const auto& [file, stamp] : wanted) {
        const QString path = DisplayPath(file);
        if (stamp && (watching.contains(path) || watcher.addPath(path)))
            watchedFiles.emplace(file, *stamp);
    }

    for (const QString& folder : watcher.directories()) {
        if (!folders.contains(folder))
            watcher.removePath(folder);
    }
    const QStringList watchedFolderList = watcher.directories();
    const QSet<QString> watchedFolders(watchedFolderList.begin(), watchedFolderList.end());
    for (const QString& folder : folders) {
        if (!watchedFolders.contains(folder) && QFileInfo(folder).isDir())
            watcher.addPath(folder);
    }
}

bool DiskWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Schedule();
    return QObject::eventFilter(watched, event);
}

void DiskWatch::Schedule() {
    settle.start();
}

void DiskWatch::Run() {
    // A big text being opened, saved or moved between views is not ready to be compared or
    // reloaded until it is done.
    if (running || pauses > 0 || QApplication::activeModalWidget() != nullptr ||
        StatusBarProgress::Busy()) {
        Schedule();
        return;
    }
    running = true;
    const auto done = qScopeGuard([this] { running = false; });
    check();
}
