#pragma once
// Keeps a recovery copy of every modified document of one window. A few seconds after a
// document's last change it asks the window for the document frozen as it is (cheap: the lines
// are shared, not copied), or for a big document with a file on disk only the edits since the
// last time, and hands it to the writer thread (a whole copy, a new journal or a record added
// to it); saving or closing the document
// removes the copy; when the keeper goes (the window ended normally) the instance's folder
// goes with it. Restoring copies at start is the window's business (AbandonedCopies).

#include "recovery/RecoveryFolder.h"
#include "recovery/RecoveryWriter.h"

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

class QTimer;

// What a document gives to be kept. Declared outside the keeper: a nested struct whose members
// have default initializers is not default-constructible (to Clang) until the keeper's own
// definition ends, which std::optional<Capture> inside it already asks for.
struct RecoveryCapture {
    RecoveryHeader header;
    RecoveryText text;
    // Set for a text too big to take between two keystrokes (a big rich text): takes it a
    // slice of about budget at a time on later turns of the event loop, and gives it once it
    // is whole. A change of the document drops the capture; a new one follows the delay.
    std::function<std::optional<RecoveryText>(std::chrono::milliseconds budget)> rest;
    // Set instead of a text: the edits since the last capture, over the file state base
    // (every edit since that state, when the last capture was no journal over it).
    struct Journal {
        FileStamp base;
        JournalRecord record;
    };
    std::optional<Journal> journal{};
};

class TRecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // Identifies a document for as long as it is open.
    using DocumentKey = const void*;
    using Capture = RecoveryCapture;
    // The document as it is now; nothing when it needs no copy (it is not modified).
    using CaptureFunction = std::function<std::optional<Capture>(DocumentKey)>;

    // How long after the last change a copy is written.
    static constexpr int kDelayMilliseconds = 2000;
    // The longest a slice of a capture holds up the user.
    static constexpr std::chrono::milliseconds kSlice{20};

    // root: the recovery folder, shared by all instances.
    TRecoveryKeeper(std::string root, CaptureFunction capture, QObject* parent = nullptr);
    ~TRecoveryKeeper() override;

    const std::string& Root() const { return root; }
    // This instance's subfolder; empty when none could be made (no copies are kept then).
    std::string FolderPath() const { return folder.Path(); }

    // The document changed: its copy is due after the delay.
    void Changed(DocumentKey document);
    // A copy (or its removal, when the document needs none) now rather than after the delay.
    void CaptureNow(DocumentKey document);
    // The document was saved or closed: its copy goes.
    void Discard(DocumentKey document);
    // Waits until the copies asked for so far are written, taking what is left of captures in
    // slices at once.
    void Flush();

private:
    struct Tracked {
        int serial = 0;
        QTimer* timer = nullptr;
        QTimer* slices = nullptr;
        std::optional<Capture> pending;
        // The file state the document's journal goes over, once one is written.
        std::optional<FileStamp> journalBase;
    };
    void WriteJournal(Tracked& entry, const Capture& capture);
    Tracked& Track(DocumentKey document);
    // Takes the next slice of the document's pending capture; writes it once it is whole.
    void TakeSlice(DocumentKey document, std::chrono::milliseconds budget);

    std::string root;
    CaptureFunction capture;
    RecoveryFolder folder;
    RecoveryWriter writer;
    std::unordered_map<DocumentKey, Tracked> tracked;
    int nextSerial = 1;
};
