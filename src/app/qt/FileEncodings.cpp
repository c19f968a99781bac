// A file's encoding: which one it opens in, the small file that keeps the encodings the user
// gave files, and the question before characters an encoding cannot hold are lost.

#include "app/qt/FileEncodings.h"

#include "app/RememberedEncodings.h"
#include "app/qt/Document.h"
#include "app/qt/StatusBarProgress.h"
#include "platform/EncodingDetection.h"
#include "platform/FileSystem.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/PathNames.h"
#include "settings/SettingsFolders.h"

#include <vector>

namespace {

std::string RememberedEncodingsPath() {
    return SettingsFolder() + std::string(RememberedEncodingsFileName);
}

std::vector<RememberedEncoding> ReadRememberedEncodings() {
    const FileResult<std::string> file = ReadWholeFile(RememberedEncodingsPath());
    return file ? ParseRememberedEncodings(file.value) : std::vector<RememberedEncoding>{};
}

} // namespace

DocumentEncoding EncodingForFile(const std::string& path, std::string_view bytes) {
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

void RememberDocumentEncoding(const TMyMemo& document) {
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

bool AcceptLostCharacters(Dialogs& dialogs, const TMyMemo& document, std::size_t count,
                          const DocumentEncoding& encoding, const QString& action) {
    if (count == 0)
        return true;
    const QString name = document.FileName.isEmpty() ? "<blank>" : ShownPath(document.FileName);
    const DialogAnswer answer = dialogs.Message(
        MessageKind::Warning, "Tabrix Pro",
        "File " + name + ": " + QString::number(count) + " character(s) cannot be written in " +
            QString::fromStdString(encoding.Caption()) + " and would become \"?\".  " + action,
        MessageButtons::YesNo);
    return answer == DialogAnswer::Yes;
}

std::optional<std::string> BytesToSave(Dialogs& dialogs, const TMyMemo& document,
                                       StatusBarProgress& progress) {
    // The text is read here, with progress (the editors belong to this thread), and converted
    // beside the window.
    std::size_t lost = 0;
    std::string text = document.View().FileText(progress.Hook(), lost);
    EncodedText file;
    progress.RunWhileRepainting(
        text.size(), [&] { file = EncodeFileBytes(std::move(text), document.FileEncoding); });
    if (!AcceptLostCharacters(dialogs, document, lost + file.unencodable, document.FileEncoding,
                              "Save anyway?"))
        return std::nullopt;
    return std::move(file.bytes);
}
