#include "output/qt/HtmlExportCommands.h"

#include "platform/qt/Dialogs.h"
#include "platform/qt/EncodingQt.h"
#include "platform/qt/PathNames.h"
#include "platform/qt/Shell.h"

#include <QFontInfo>

namespace {

const QString ErrorCaption = QStringLiteral("Tabrix Pro");

// Asks whether to convert and writes; false when the user has been told of a failure.
bool WriteAfterQuestion(Dialogs& dialogs, const QString& path, std::string_view text,
                        const Encoding& encoding, const QFont& plainFont, HtmlVariant variant) {
    HtmlExportOptions options;
    options.variant = variant;
    options.fontName = FromQString(plainFont.family(), encoding);
    // A font sized in pixels has no point size of its own; the size it shows in does.
    options.fontSize =
        plainFont.pointSize() > 0 ? plainFont.pointSize() : QFontInfo(plainFont).pointSize();
    options.conversion = dialogs.AskYesNo("Confirm", "Convert txt to html?")
                             ? HtmlConversion::Escape
                             : HtmlConversion::Preformatted;
    const std::optional<std::string> error = WriteHtmlFile(LocalPath(path), text, options);
    if (error)
        dialogs.ShowError(ErrorCaption, ShownText(*error));
    return !error;
}

} // namespace

void ExportHtml(Dialogs& dialogs, std::string_view text, const Encoding& encoding,
                const QFont& plainFont, HtmlVariant variant) {
    FileDialogRequest request;
    request.filters = {{"HTML Files (*.htm, *.html)", "*.htm;*.html"}, {"All Files", "*.*"}};
    request.defaultExtension = "txt";
    request.overwritePrompt = true;
    const std::optional<FileDialogResult> chosen = dialogs.SaveFile(request);
    if (!chosen || chosen->files.isEmpty() || chosen->files.front().isEmpty())
        return;
    WriteAfterQuestion(dialogs, chosen->files.front(), text, encoding, plainFont, variant);
}

std::optional<QString> WritePreviewFile(Dialogs& dialogs, std::string_view text,
                                        const Encoding& encoding, const QFont& plainFont) {
    const PreviewPath preview = PreviewFilePath();
    if (!preview.error.empty()) {
        dialogs.ShowError(ErrorCaption, ShownText(preview.error));
        return std::nullopt;
    }
    const QString path = DisplayPath(preview.path);
    if (!WriteAfterQuestion(dialogs, path, text, encoding, plainFont, HtmlVariant::WithHeader))
        return std::nullopt;
    return path;
}

void PreviewInBrowser(Dialogs& dialogs, std::string_view text, const Encoding& encoding,
                      const QFont& plainFont) {
    const std::optional<QString> path = WritePreviewFile(dialogs, text, encoding, plainFont);
    // Nothing else would tell that the command came to nothing; the page stays for the user.
    if (path && !ShellOpen(*path))
        dialogs.ShowError(ErrorCaption, "The preview was written to \"" + *path +
                                            "\", but this desktop has no program to show it. "
                                            "Install a web browser, or make one the default "
                                            "for HTML files.");
}
