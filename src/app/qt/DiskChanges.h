#pragma once
// Files changed by other programs: each document keeps the stamp of its file as loaded or last
// saved, and a check compares it with the file on disk whenever the watcher or the window's
// activation says something may have changed. The program's own saves renew the stamp, so they
// never count as a change. Reaches the documents through the window's public commands.

#include "platform/FileStamp.h"

#include <optional>

class Dialogs;
class DiskWatch;
class TForm1;
struct TMyMemo;

class TDiskChanges {
public:
    explicit TDiskChanges(TForm1& window);

    // Looks at the file of every document: an unmodified document reloads, a modified one asks
    // first, a deleted file marks its document modified so that its text is not lost.
    void CheckFilesOnDisk();
    // The document's file on disk, as stamped (before loading, after saving), is the one its
    // text came from or went to; nothing: no file is known for it.
    void RememberDiskFile(TMyMemo& document, const std::optional<FileStamp>& stamp);
    // Before writing over the document's file: true unless another program changed the file
    // since the document last read or wrote it and the user chose not to overwrite it.
    bool MayOverwriteOnDisk(const TMyMemo& document);
    // The watcher, to pause while the program writes a file itself.
    DiskWatch& Watch() { return *watch; }

private:
    void CheckFileOnDisk(int position);
    // Reads the document's file again into the editor of its view mode, keeping the caret's
    // line and the scroll where the new text allows.
    void ReloadFromDisk(int position);
    void WatchDocumentFiles();

    TForm1& window;
    Dialogs& dialogs;
    // The window's child.
    DiskWatch* watch;
};
