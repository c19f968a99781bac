#pragma once
// Crash recovery in the window: what a document's recovery copy holds (a whole copy, or for a big
// file a journal of the edits against it), and bringing back the copies an earlier run left
// behind, before anything else opens. Keeping and writing the copies is the recovery keeper's
// work (src/recovery/qt/); this part reaches the documents through the window's public commands.

#include "platform/FileStamp.h"
#include "recovery/qt/RecoveryKeeper.h"

#include <QString>
#include <optional>
#include <string>

class Dialogs;
class TForm1;
struct RecoveredDocument;
struct TMyMemo;

class TWindowRecovery {
public:
    // Chooses the recovery folder shared by all instances (inside the settings folder unless that
    // one cannot be trusted) and starts keeping copies in it.
    explicit TWindowRecovery(TForm1& window);

    TRecoveryKeeper& Keeper() { return *keeper; }
    // The document's text is its file's, in the state stamp: a big one's recovery copies are
    // journals of the edits from here on.
    void StartJournal(TMyMemo& document, const std::optional<FileStamp>& stamp);
    // Offers the copies left by instances that ended without closing, as modified tabs.
    void RestoreAbandonedDocuments();

private:
    std::optional<TRecoveryKeeper::Capture> Capture(const void* key);
    void RestoreDocument(const RecoveredDocument& recovered);
    // Opens the journal's file and plays its edits back; what could not be done, if anything.
    std::optional<QString> RestoreJournal(const RecoveredDocument& recovered);

    TForm1& window;
    Dialogs& dialogs;
    std::string root;
    // The window's child, as its copies are the window's documents.
    TRecoveryKeeper* keeper = nullptr;
};
