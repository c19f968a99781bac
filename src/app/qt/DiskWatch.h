#pragma once
// Tells the window when the files of its documents may have changed on disk: the file system
// watcher's events and the window's activation, gathered over a short pause into one check.
// It does not decide what changed; the window compares each document's file with its stamp.

#include "platform/FileStamp.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QWidget;

class DiskWatch : public QObject {
    Q_OBJECT

public:
    // Events closer together than this make one check: a program writing a file in several
    // steps, or replacing it by delete and create, is looked at once it is done.
    static constexpr int kSettleMilliseconds = 150;

    // check runs on the window's thread, never inside itself, nor while a modal dialog is open,
    // a pause lives or a long operation shows its progress.
    DiskWatch(QWidget& window, std::function<void()> check);

    // Watches these files (those that exist) and the folders they are in, and nothing else. A
    // file replaced since it was last watched is watched anew: the old watch follows the old
    // file, which a rename took away.
    void WatchOnly(const std::vector<std::string>& files);

    // While one lives, checks wait: a file the program itself is writing is no change by another
    // program.
    class Pause {
    public:
        explicit Pause(DiskWatch& watch) : watch(watch) { ++watch.pauses; }
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;
        ~Pause() { --watch.pauses; }

    private:
        DiskWatch& watch;
    };

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Schedule();
    void Run();

    QFileSystemWatcher watcher;
    QTimer settle;
    std::function<void()> check;
    // The identity of each watched file when its watch was set.
    std::map<std::string, FileStamp> watchedFiles;
    int pauses = 0;
    bool running = false;
};
