// Each document's encoding: which one a file opens in, the status bar's display of it, File >
// "Reopen with Encoding" and "Save with Encoding", and the small file that keeps the encodings
// the user gave files. Opening and saving themselves stay in MainWindowFiles.cpp.

#include "app/DocumentText.h"
#include "app/RememberedEncodings.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "app/qt/StatusBarProgress.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/EncodingDetection.h"
#include "platform/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/EncodingQt.h"
#include "platform/qt/PathNames.h"
#include "richedit/qt/RichEdit.h"
#include "settings/SettingsFolders.h"

#include <QLabel>
#include <string>
#include <vector>

namespace {

const char* ScriptOf(int codePage) {
    switch (codePage) {
    case 1250:
        return "Central European";
    case 1251:
        return "Cyrillic";
    case 1252:
    case 28591:
        return "Western";
    case 1253:
        return "Greek";
    case 1254:
        return "Turkish";
    case 1255:
        return "Hebrew";
    case 1256:
        return "Arabic";
    case 1257:
        return "Baltic";
    case 1258:
        return "Vietnamese";
    default:
        return nullptr;
    }
}

// UTF-8 first, then the code pages: one item each, tagged with its code page.
template <MenuHandler handler> std::span<const MenuItem> EncodingItems() {
    static const std::vector<std::string> captions = [] {
        std::vector<std::string> all;
        for (const int codePage : Encoding::SupportedCodePages()) {
            std::string caption = EncodingCaption(*Encoding::ForCodePage(codePage));
            if (const char* script = ScriptOf(codePage))
                caption += std::string(" (") + script + ")";
            all.push_back(std::move(caption));
        }
        return all;
    }();
    static const std::vector<MenuItem> rows = [] {
        std::vector<MenuItem> items;
        const std::vector<int>& codePages = Encoding::SupportedCodePages();
        for (std::size_t i = 0; i < codePages.size(); ++i) {
            MenuItem item{.caption = captions[i].c_str(), .tag = codePages[i], .handler = handler};
            if (codePages[i] == Encoding::Utf8CodePage)
                items.insert(items.begin(), item);
            else
                items.push_back(item);
        }
        return items;
    }();
    return rows;
}

std::string RememberedEncodingsPath() {
    return SettingsFolder() + std::string(RememberedEncodingsFileName);
}

std::vector<RememberedEncoding> ReadRememberedEncodings() {
    const FileResult<std::string> file = ReadWholeFile(RememberedEncodingsPath());
    return file ? ParseRememberedEncodings(file.value) : std::vector<RememberedEncoding>{};
}

} // namespace

std::span<const MenuItem> ReopenWithEncodingMenu() {
    return EncodingItems<Call<&TForm1::ReopenWithEncodingClick>>();
}

std::span<const MenuItem> SaveWithEncodingMenu() {
    return EncodingItems<Call<&TForm1::SaveWithEncodingClick>>();
}

void TForm1::SetDocumentEncoding(TMyMemo& document, const DocumentEncoding& encoding) {
    document.FileEncoding = encoding;
    document.PlainEditor->SetTextEncoding(*encoding.encoding);
    document.CodeEditor->SetTextEncoding(*encoding.encoding);
    document.RichEditor->SetTextEncoding(*encoding.encoding);
    if (&document == &CurrentDocument())
        ShowDocumentEncoding();
}

void TForm1::ShowDocumentEncoding() {
    StatusBarEncoding->setText(QString::fromStdString(CurrentDocument().FileEncoding.Caption()));
}

DocumentEncoding TForm1::EncodingForFile(const std::string& path, std::string_view bytes) const {
    const DocumentEncoding detected = DetectEncoding(bytes, ProgramEncoding(), LanguageEncoding());
    if (detected.mark != ByteOrderMark::None)
        return detected;
    if (const std::optional<std::string> name =
            FindRememberedEncoding(ReadRememberedEncodings(), path)) {
        // A mark the file no longer has is not put back on.
        if (const std::optional<DocumentEncoding> remembered = DocumentEncoding::FromName(*name);
            remembered && remembered->mark == ByteOrderMark::None)
            return *remembered;
    }
    return detected;
}

void TForm1::RememberDocumentEncoding(const TMyMemo& document) {
    std::vector<RememberedEncoding> entries = ReadRememberedEncodings();
    const std::string path = LocalPath(document.FileName);
    // The program's own encoding needs no entry: a file without a mark opens in it.
    const bool usual = document.FileEncoding == DocumentEncoding::Plain(ProgramEncoding());
    const std::string name = usual ? std::string() : document.FileEncoding.Name();
    if (FindRememberedEncoding(entries, path).value_or(std::string()) == name)
        return;
    RememberEncoding(entries, path, name);
    // Losing this only costs the user choosing the encoding again; it is not worth a message.
    if (!EnsureSettingsFolder())
        SaveFileAtomically(RememberedEncodingsPath(), FormatRememberedEncodings(entries));
}

bool TForm1::AcceptLostCharacters(const TMyMemo& document, std::size_t count,
                                  const DocumentEncoding& encoding, const QString& action) {
    if (count == 0)
        return true;
    const QString name = document.FileName.isEmpty() ? "<blank>" : document.FileName;
    const DialogAnswer answer = dialogs.Message(
        MessageKind::Warning, "Tabrix Pro",
        "File " + name + ": " + QString::number(count) + " character(s) cannot be written in " +
            QString::fromStdString(encoding.Caption()) + " and would become \"?\".  " + action,
        MessageButtons::YesNo);
    return answer == DialogAnswer::Yes;
}

std::optional<std::string> TForm1::BytesToSave(const TMyMemo& document,
                                               StatusBarProgress& progress) {
    // The text is read here, with progress (the editors belong to this thread), and converted
    // beside the window.
    std::size_t lost = 0;
    std::string text = document.ViewMode == vmRich ? RichViewText(document, progress.Hook(), lost)
                                                   : DocumentBytes(document, progress.Hook());
    EncodedText file;
    progress.RunWhileRepainting(
        text.size(), [&] { file = EncodeFileBytes(std::move(text), document.FileEncoding); });
    if (!AcceptLostCharacters(document, lost + file.unencodable, document.FileEncoding,
                              "Save anyway?"))
        return std::nullopt;
    return std::move(file.bytes);
}

void TForm1::ReopenWithEncodingClick(int codePage) {
    TMyMemo& document = CurrentDocument();
    const Encoding* chosen = Encoding::ForCodePage(codePage);
    if (!chosen || document.ViewMode == vmRich)
        return;
    if (document.FileName.isEmpty()) {
        dialogs.ShowMessage("Tabrix Pro", "The document has no file to reopen.");
        return;
    }
    if (document.Modified &&
        !dialogs.AskYesNo("Confirm", "File " + document.FileName +
                                         " has been modified.  Reopen it and lose the changes?"))
        return;
    const std::string path = LocalPath(document.FileName);
    const std::optional<FileStamp> stamp = StampOfFile(path);
    if (const std::optional<std::string> error =
            LoadPlainText(document, path, [&](std::string_view bytes) {
                return EncodingOfChoice(bytes, *chosen);
            })) {
        dialogs.ShowError("Tabrix Pro", QString::fromStdString(*error));
        return;
    }
    // The text went in as OpenFile puts it: into the plain editor, and from there to code view.
    const int mode = document.ViewMode;
    document.ViewMode = vmPlain;
    document.UndoSnapshot.clear();
    if (mode != vmPlain)
        SetViewMode(mode);
    document.Modified = false;
    RememberDocumentEncoding(document);
    RememberDiskFile(document, stamp);
    RefreshCurrentTab();
}

void TForm1::SaveWithEncodingClick(int codePage) {
    TMyMemo& document = CurrentDocument();
    const Encoding* target = Encoding::ForCodePage(codePage);
    TSynEditWidget* editor = ActiveEditor(document);
    if (!target || !editor)
        return;
    const DocumentEncoding old = document.FileEncoding;
    // UTF-8 keeps the UTF-8 mark of a file that had one.
    const DocumentEncoding chosen = target->IsUtf8() && old.mark == ByteOrderMark::Utf8
                                        ? old
                                        : DocumentEncoding::Plain(*target);
    if (chosen != old) {
        EncodedText text = ConvertText(editor->Engine().Text(), *old.encoding, *target);
        if (!AcceptLostCharacters(document, text.unencodable, chosen, "Convert anyway?"))
            return;
        document.UndoSnapshot = ConvertText(document.UndoSnapshot, *old.encoding, *target).bytes;
        SetDocumentEncoding(document, chosen);
        if (old.encoding != target) {
            // The same lines in other bytes: each keeps its break.
            const TSynLineBreaks breaks = editor->Lines().LineBreaks();
            editor->Engine().SetText(text.bytes);
            editor->Lines().SetLineBreaks(breaks);
        }
        document.Modified = true;
    }
    SaveDocument(CurrentIndex());
    RefreshCurrentTab();
}
