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
    entry.slices = new QTimer(this);
    entry.slices->setSingleShot(true);
    entry.slices->setInterval(0);
    connect(entry.slices, &QTimer::timeout, this,
            [this, document] { TakeSlice(document, kSlice); });
    return entry;
}

void TRecoveryKeeper::Changed(DocumentKey document) {
    if (!folder.Active())
        return;
    Tracked& entry = Track(document);
    entry.pending.reset();
    entry.slices->stop();
    entry.timer->start();
}

void TRecoveryKeeper::CaptureNow(DocumentKey document) {
    if (!folder.Active())
        return;
    Tracked& entry = Track(document);
    entry.timer->stop();
    entry.slices->stop();
    entry.pending = capture(document);
    if (!entry.pending || !entry.pending->journal)
        entry.journalBase.reset();
    if (!entry.pending) {
        writer.Remove(folder.FileFor(entry.serial));
        return;
    }
    if (entry.pending->journal) {
        WriteJournal(entry, *entry.pending);
        entry.pending.reset();
        return;
    }
    if (!entry.pending->rest) {
        writer.Write(folder.FileFor(entry.serial), std::move(entry.pending->header),
                     std::move(entry.pending->text));
        entry.pending.reset();
        return;
    }
    // A small text is whole after the first slice.
    TakeSlice(document, kSlice);
}

void TRecoveryKeeper::WriteJournal(Tracked& entry, const Capture& capture) {
    const Capture::Journal& journal = *capture.journal;
    std::string record = FormatJournalRecord(journal.record);
    if (entry.journalBase == journal.base) {
        writer.Append(folder.FileFor(entry.serial), std::move(record));
        return;
    }
    writer.StartJournal(folder.FileFor(entry.serial),
                        FormatJournalHeader(capture.header, journal.base) + record);
    entry.journalBase = journal.base;
}

void TRecoveryKeeper::TakeSlice(DocumentKey document, std::chrono::milliseconds budget) {
    Tracked& entry = tracked.at(document);
    if (!entry.pending)
        return;
    std::optional<RecoveryText> text = entry.pending->rest(budget);
    if (!text) {
        entry.slices->start();
        return;
    }
    writer.Write(folder.FileFor(entry.serial), std::move(entry.pending->header), std::move(*text));
    entry.pending.reset();
}

void TRecoveryKeeper::Flush() {
    for (auto& [document, entry] : tracked) {
        while (entry.pending)
            TakeSlice(document, std::chrono::milliseconds::max());
        entry.slices->stop();
    }
    writer.Flush();
}

void TRecoveryKeeper::Discard(DocumentKey document) {
    const auto found = tracked.find(document);
    if (found == tracked.end())
        return;
    writer.Remove(folder.FileFor(found->second.serial));
    delete found->second.timer;
    delete found->second.slices;
    tracked.erase(found);
}
