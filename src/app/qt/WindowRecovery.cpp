// Crash recovery in the window: what a document's recovery copy holds, and bringing back the
// copies an earlier run left behind, before anything else opens. Keeping the copies is the
// recovery keeper's work (src/recovery/qt/).

#include "app/qt/WindowRecovery.h"

#include "app/qt/DiskChanges.h"
#include "app/qt/DocumentFormats.h"
#include "app/qt/FileCommands.h"
#include "app/qt/MainWindow.h"
#include "app/qt/WindowTabs.h"
#include "codeedit/HighlighterRegistry.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/Encoding.h"
#include "platform/FileStamp.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/PathNames.h"
#include "recovery/qt/RecoveryKeeper.h"
#include "richedit/qt/RichEdit.h"
#include "richedit/qt/RichTextConversion.h"
#include "settings/SettingsFolders.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::string_view kRecoveryFolderName = "recovery";
// A smaller file's copies are whole: the whole of it costs little to write.
constexpr std::uint64_t kJournalFrom = std::uint64_t(1) << 20;

QString RestoreQuestion(int count, const QStringList& changedFiles) {
    QString question = QString("Tabrix Pro was not closed properly. Restore %1 unsaved document%2?")
                           .arg(count)
                           .arg(count == 1 ? "" : "s");
    if (!changedFiles.isEmpty())
        question += "\n\nThese files have changed on disk since, so their unsaved edits cannot be "
                    "applied; they open as they are now, and the edits are kept aside:\n" +
                    changedFiles.join("\n");
    return question;
}

// Whether the journal was written over the file as it is now.
bool JournalFitsFile(const RecoveredDocument& document) {
    return !document.journal || StampOfFile(document.header.fileName) == document.journal->base;
}

// Whether the change fits the text: positions on it, in order.
bool ChangeFits(const TSynEditEngine& engine, const TSynTextChange& change) {
    const auto onText = [&](BufferPosition position) {
        return position.line.Value() < engine.LineCount() &&
               position.column.Value() <= engine.LineText(position.line).size();
    };
    return onText(change.begin) && onText(change.end) && !(change.end < change.begin);
}

} // namespace

TWindowRecovery::TWindowRecovery(TForm1& window) : window(window), dialogs(window.Questions()) {
    const RecoveryRootChoice choice =
        ChooseRecoveryRoot(SettingsFolder() + std::string(kRecoveryFolderName) + "/");
    // Said where a user or an administrator looks when copies are not where they should be; the
    // program goes on either way.
    if (!choice.complaint.empty())
        std::fprintf(stderr, "Tabrix Pro: %s\n", choice.complaint.c_str());
    root = choice.path;
    keeper = new TRecoveryKeeper(
        root, [this](TRecoveryKeeper::DocumentKey key) { return Capture(key); }, &window);
}

void TWindowRecovery::StartJournal(TMyMemo& document, const std::optional<FileStamp>& stamp) {
    TSynEditWidget* editor = document.View().TextEditor();
    const bool journaled = editor && stamp && stamp->size >= kJournalFrom;
    document.JournalBase = journaled ? stamp : std::nullopt;
    document.JournalEncoding = document.FileEncoding.Name();
    if (journaled)
        editor->Engine().ChangeLog().Restart();
}

std::optional<TRecoveryKeeper::Capture> TWindowRecovery::Capture(const void* key) {
    TMyMemo* found = nullptr;
    for (int i = 0; i < window.DocumentCount() && !found; ++i) {
        if (&window.DocumentAt(i) == key)
            found = &window.DocumentAt(i);
    }
    if (!found)
        return std::nullopt;
    TMyMemo& document = *found;
    if (!document.Modified) {
        // Back to the file's text: a journal starts from it again.
        TSynEditWidget* editor = document.View().TextEditor();
        if (document.JournalBase && editor)
            editor->Engine().ChangeLog().Restart();
        return std::nullopt;
    }
    TRecoveryKeeper::Capture copy;
    RecoveryHeader& header = copy.header;
    header.fileName = LocalPath(document.FileName);
    header.viewMode = document.ViewMode;
    const QPoint caret = document.View().Caret();
    header.caretLine = caret.y();
    header.caretColumn = caret.x();
    header.encodingName = document.FileEncoding.Name();
    const TSynCustomHighlighter* highlighter = document.CodeEditor->Highlighter();
    for (const THighlighterClass& highlighterClass : HighlighterClasses()) {
        if (window.HighlighterInstance(highlighterClass.instanceName) == highlighter)
            header.highlighter = highlighterClass.instanceName;
    }
    if (document.ViewMode != vmRich) {
        TSynEditChangeLog& log = document.View().TextEditor()->Engine().ChangeLog();
        if (document.JournalBase && !log.Lost() &&
            header.encodingName == document.JournalEncoding) {
            copy.journal = {*document.JournalBase,
                            {caret.y(), caret.x(), log.Take(), document.ViewMode}};
            return copy;
        }
        // Edits no journal can tell (a whole text replaced, another encoding, rich view between):
        // whole copies until the file is saved.
        document.JournalBase.reset();
        const TSynEditStringList& lines = document.View().TextEditor()->Lines();
        header.lineBreaks = lines.LineBreaks();
        copy.text = lines.Snapshot();
        return copy;
    }
    header.lineBreaks = document.RichViewBreaks;
    // The editor's text is read between keystrokes; the RTF is made by the writer.
    auto reader = std::make_shared<RichTextReader>(*document.RichEditor->document());
    copy.rest = [reader](std::chrono::milliseconds budget) -> std::optional<RecoveryText> {
        if (!reader->ReadFor(budget))
            return std::nullopt;
        auto read = std::make_shared<RichDocument>(std::move(reader->Result()));
        return RecoveryText(DeferredText([read] { return TRxRichEdit::RtfOf(*read); }));
    };
    return copy;
}

void TWindowRecovery::RestoreAbandonedDocuments() {
    AbandonedCopies abandoned = AbandonedCopies::Claim(root);
    std::vector<const AbandonedCopy*> usable;
    QStringList changedFiles;
    for (const AbandonedCopy& copy : abandoned.Copies()) {
        // Its edits are in the later copy too: it is kept aside, not offered.
        if (copy.superseded) {
            abandoned.SetAside(copy);
            continue;
        }
        if (copy.document && JournalFitsFile(*copy.document)) {
            usable.push_back(&copy);
            continue;
        }
        // Edits over a file that changed since would mix two versions: they stay aside.
        const FileResult<std::string> kept = abandoned.SetAside(copy);
        if (copy.document && kept) {
            usable.push_back(&copy);
            changedFiles << ShownText(copy.document->header.fileName) + " (edits kept as " +
                                ShownText(kept.value) + ")";
            continue;
        }
        QString text = "The recovery file " + ShownText(copy.path) + " cannot be restored: " +
                       (copy.document ? QString("its file has changed on disk since")
                                      : ShownText(copy.error)) +
                       ".";
        text += kept ? " It has been kept as " + ShownText(kept.value) + "."
                     : " It stays where it is: " + ShownText(kept.error->message);
        dialogs.ShowError("Tabrix Pro", text);
    }
    if (!usable.empty() && dialogs.Message(MessageKind::Confirmation, "Tabrix Pro",
                                           RestoreQuestion(int(usable.size()), changedFiles),
                                           MessageButtons::YesNo) == DialogAnswer::Yes) {
        for (const AbandonedCopy* copy : usable) {
            if (!copy->document->journal)
                RestoreDocument(*copy->document);
            else if (const std::optional<QString> error = RestoreJournal(*copy->document))
                dialogs.ShowError("Tabrix Pro", *error);
            if (!copy->error.empty())
                dialogs.ShowError("Tabrix Pro", "The recovery file " + ShownText(copy->path) +
                                                    " is incomplete: " + ShownText(copy->error) +
                                                    ". The part that is there has been restored.");
        }
        // The restored documents have copies of this instance before the old ones go.
        keeper->Flush();
    }
    abandoned.Discard();
}

void TWindowRecovery::RestoreDocument(const RecoveredDocument& recovered) {
    const TMyMemo& current = window.CurrentDocument();
    const bool reuse = window.DocumentCount() == 1 && current.FileName.isEmpty() &&
                       !current.Modified && current.ViewMode == vmPlain &&
                       current.PlainEditor->Text().empty();
    if (!reuse)
        window.mniNewClick();
    TMyMemo& document = window.CurrentDocument();
    const RecoveryHeader& header = recovered.header;
    if (TSynCustomHighlighter* highlighter = window.HighlighterInstance(header.highlighter))
        document.CodeEditor->SetHighlighter(highlighter);
    // A copy from a version that knew no other encoding holds the program's.
    window.Formats().SetDocumentEncoding(document,
                                         DocumentEncoding::FromName(header.encodingName)
                                             .value_or(DocumentEncoding::Plain(ProgramEncoding())));
    window.SetViewMode(header.viewMode);
    if (header.viewMode == vmRich) {
        if (const std::optional<std::string> error =
                document.RichEditor->LoadFromBytes(recovered.text, header.fileName)) {
            dialogs.ShowError("Tabrix Pro", QString::fromStdString(*error));
        }
    } else {
        document.View().TextEditor()->Engine().SetText(recovered.text);
    }
    // A copy that does not say keeps the breaks of a new document.
    if (header.lineBreaks && header.viewMode == vmRich)
        document.RichViewBreaks = *header.lineBreaks;
    else if (header.lineBreaks)
        document.View().TextEditor()->Lines().SetLineBreaks(*header.lineBreaks);
    document.ViewOf(header.viewMode).SetCaret(QPoint(header.caretColumn, header.caretLine));
    document.FileName = DisplayPath(header.fileName);
    document.Modified = true;
    // Changes by other programs from now on are noticed; what happened before cannot be told.
    if (!header.fileName.empty())
        window.DiskChanges().RememberDiskFile(document, StampOfFile(header.fileName));
    // The text is not the file's: its copies are whole.
    document.JournalBase.reset();
    window.Tabs().ShowTabCaption(window.CurrentIndex());
    window.UpdateTitle();
    keeper->CaptureNow(&document);
}

std::optional<QString> TWindowRecovery::RestoreJournal(const RecoveredDocument& recovered) {
    const RecoveryHeader& header = recovered.header;
    const QString shown = ShownText(header.fileName);
    const bool fits = JournalFitsFile(recovered);
    const int before = window.DocumentCount();
    window.Files().OpenFile(DisplayPath(header.fileName));
    if (window.DocumentCount() < before ||
        window.CurrentDocument().FileName != DisplayPath(header.fileName))
        return "The file " + shown + " could not be opened to restore its unsaved edits.";
    if (!fits)
        return "The file " + shown +
               " has changed on disk since its unsaved edits were kept: it is opened as it is "
               "now, without them.";
    TMyMemo& document = window.CurrentDocument();
    if (document.FileEncoding.Name() != header.encodingName || !document.View().TextEditor())
        return "The file " + shown + " is no longer read as " + ShownText(header.encodingName) +
               ": its unsaved edits are not applied.";
    // The journal's places are the plain editor's lines: the code editor's lack only the empty
    // line after a final break, which plain view may have edited.
    window.SetViewMode(vmPlain);
    TSynEditEngine& engine = document.PlainEditor->Engine();
    std::size_t applied = 0;
    for (const TSynTextChange& change : recovered.journal->changes) {
        if (!ChangeFits(engine, change))
            break;
        engine.ReplaceRange(change.begin, change.end, change.inserted);
        ++applied;
    }
    window.SetViewMode(header.viewMode == vmCode ? vmCode : vmPlain);
    document.View().SetCaret(QPoint(header.caretColumn, header.caretLine));
    document.Modified = applied > 0;
    window.Tabs().ShowTabCaption(window.CurrentIndex());
    window.UpdateTitle();
    keeper->CaptureNow(&document);
    if (applied < recovered.journal->changes.size())
        return "Only " + QString::number(applied) + " of the " +
               QString::number(recovered.journal->changes.size()) + " unsaved edits of " + shown +
               " fit its text; the rest are not applied.";
    return std::nullopt;
}
