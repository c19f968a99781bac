// Crash recovery in the window: what a document's recovery copy holds, and bringing back the
// copies an earlier run left behind, before anything else opens. Keeping the copies is the
// recovery keeper's work (src/recovery/qt/).

#include "app/qt/DocumentCaret.h"
#include "app/qt/MainWindow.h"
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

QString RestoreQuestion(int count) {
    return QString("Tabrix Pro was not closed properly. Restore %1 unsaved document%2?")
        .arg(count)
        .arg(count == 1 ? "" : "s");
}

} // namespace

void TForm1::StartRecovery() {
    const RecoveryRootChoice root =
        ChooseRecoveryRoot(SettingsFolder() + std::string(kRecoveryFolderName) + "/");
    // Said where a user or an administrator looks when copies are not where they should be; the
    // program goes on either way.
    if (!root.complaint.empty())
        std::fprintf(stderr, "Tabrix Pro: %s\n", root.complaint.c_str());
    recoveryRoot = root.path;
    recovery = new TRecoveryKeeper(
        recoveryRoot, [this](TRecoveryKeeper::DocumentKey key) { return CaptureForRecovery(key); },
        this);
}

std::optional<TRecoveryKeeper::Capture> TForm1::CaptureForRecovery(const void* key) const {
    const auto found = std::find_if(documents.begin(), documents.end(),
                                    [key](const auto& document) { return document.get() == key; });
    if (found == documents.end() || !(*found)->Modified)
        return std::nullopt;
    const TMyMemo& document = **found;
    TRecoveryKeeper::Capture copy;
    RecoveryHeader& header = copy.header;
    header.fileName = LocalPath(document.FileName);
    header.viewMode = document.ViewMode;
    const QPoint caret = CaretOf(document, document.ViewMode);
    header.caretLine = caret.y();
    header.caretColumn = caret.x();
    header.encodingName = document.FileEncoding.Name();
    const TSynCustomHighlighter* highlighter = document.CodeEditor->Highlighter();
    const auto& classes = HighlighterClasses();
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (highlighters[i].get() == highlighter)
            header.highlighter = classes[i].instanceName;
    }
    if (document.ViewMode != vmRich) {
        const TSynEditStringList& lines = ActiveEditor(document)->Lines();
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

void TForm1::RestoreAbandonedDocuments() {
    AbandonedCopies abandoned = AbandonedCopies::Claim(recoveryRoot);
    std::vector<const AbandonedCopy*> usable;
    for (const AbandonedCopy& copy : abandoned.Copies()) {
        if (copy.document) {
            usable.push_back(&copy);
            continue;
        }
        const FileResult<std::string> kept = abandoned.SetAside(copy);
        QString text = "The recovery file " + ShownText(copy.path) +
                       " cannot be restored: " + ShownText(copy.error) + ".";
        text += kept ? " It has been kept as " + ShownText(kept.value) + "."
                     : " It stays where it is: " + ShownText(kept.error->message);
        dialogs.ShowError("Tabrix Pro", text);
    }
    if (!usable.empty() && dialogs.Message(MessageKind::Confirmation, "Tabrix Pro",
                                           RestoreQuestion(int(usable.size())),
                                           MessageButtons::YesNo) == DialogAnswer::Yes) {
        for (const AbandonedCopy* copy : usable) {
            RestoreDocument(*copy->document);
            if (!copy->error.empty())
                dialogs.ShowError("Tabrix Pro", "The recovery file " + ShownText(copy->path) +
                                                    " is incomplete: " + ShownText(copy->error) +
                                                    ". The part that is there has been restored.");
        }
        // The restored documents have copies of this instance before the old ones go.
        recovery->Flush();
    }
    abandoned.Discard();
}

void TForm1::RestoreDocument(const RecoveredDocument& recovered) {
    const TMyMemo& current = CurrentDocument();
    const bool reuse = DocumentCount() == 1 && current.FileName.isEmpty() && !current.Modified &&
                       current.ViewMode == vmPlain && current.PlainEditor->Text().empty();
    if (!reuse)
        mniNewClick();
    TMyMemo& document = CurrentDocument();
    const RecoveryHeader& header = recovered.header;
    if (TSynCustomHighlighter* highlighter = HighlighterInstance(header.highlighter))
        document.CodeEditor->SetHighlighter(highlighter);
    // A copy from a version that knew no other encoding holds the program's.
    SetDocumentEncoding(document, DocumentEncoding::FromName(header.encodingName)
                                      .value_or(DocumentEncoding::Plain(ProgramEncoding())));
    SetViewMode(header.viewMode);
    if (header.viewMode == vmRich) {
        if (const std::optional<std::string> error =
                document.RichEditor->LoadFromBytes(recovered.text, header.fileName)) {
            dialogs.ShowError("Tabrix Pro", QString::fromStdString(*error));
        }
    } else {
        ActiveEditor(document)->Engine().SetText(recovered.text);
    }
    // A copy that does not say keeps the breaks of a new document.
    if (header.lineBreaks && header.viewMode == vmRich)
        document.RichViewBreaks = *header.lineBreaks;
    else if (header.lineBreaks)
        ActiveEditor(document)->Lines().SetLineBreaks(*header.lineBreaks);
    PlaceCaret(document, header.viewMode, QPoint(header.caretColumn, header.caretLine));
    document.FileName = DisplayPath(header.fileName);
    document.Modified = true;
    // Changes by other programs from now on are noticed; what happened before cannot be told.
    if (!header.fileName.empty())
        RememberDiskFile(document, StampOfFile(header.fileName));
    ShowTabCaption(CurrentIndex());
    UpdateTitle();
    recovery->CaptureNow(&document);
}
