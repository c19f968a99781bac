#include "recovery/qt/RecoveryKeeper.h"

#include <QTimer>

TRecoveryKeeper::TRecoveryKeeper(std::string root, CaptureFunction capture, QObject* parent)
    : QObject(parent), root(std::move(root)), capture(std::move(capture)) {
    // Without a folder the program works as before, only without copies.
    if (FileResult<RecoveryFolder> created = RecoveryFolder::Create(this->root))
        folder = std::move(created.value);
}

TRecoveryKeeper::~TRecoveryKeeper() {
    writer.Flush();
    folder.RemoveAll();
}

TRecoveryKeeper::Tracked& TRecoveryKeeper::Track(DocumentKey document) {
    auto found = tracked.find(document);
    if (found != tracked.end())
        return found->second;
    Tracked& entry = tracked[document];
    entry.serial = nextSerial++;
    entry.timer = new QTimer(this);
    entry.timer->setSingleShot(true);
    entry.timer->setInterval(kDelayMilliseconds);
    connect(entry.timer, &QTimer::timeout, this, [this, document] { CaptureNow(document); });
    return entry;
}

void TRecoveryKeeper::Changed(DocumentKey document) {
    if (folder.Active())
        Track(document).timer->start();
}

void TRecoveryKeeper::CaptureNow(DocumentKey document) {
    if (!folder.Active())
        return;
    Tracked& entry = Track(document);
    entry.timer->stop();
    std::optional<Capture> copy = capture(document);
    if (copy)
        writer.Write(folder.FileFor(entry.serial), std::move(copy->header), std::move(copy->text));
    else
        writer.Remove(folder.FileFor(entry.serial));
}

void TRecoveryKeeper::Discard(DocumentKey document) {
    const auto found = tracked.find(document);
    if (found == tracked.end())
        return;
    writer.Remove(folder.FileFor(found->second.serial));
    delete found->second.timer;
    tracked.erase(found);
}
