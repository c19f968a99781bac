#include "output/qt/ColouredHtmlCommands.h"

#include "codeedit/qt/ColorQt.h"
#include "codeedit/qt/SynEditWidget.h"
#include "output/ColouredHtml.h"
#include "platform/FileSystem.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/PathNames.h"

#include <QFontInfo>
#include <functional>

namespace {

void WritePage(const ColouredHtmlSource& source, const HtmlSink& sink) {
    const TSynEditWidget& editor = source.lookFrom;
    const TSystemColors system = SystemColorsFromPalette(editor.palette());
    const TSynStyleResolver resolver(editor.Look(), system, source.highlighter);
    const QFont font = editor.Font();
    ColouredHtmlOptions options;
    options.title = source.title.toStdString();
    options.fontName = font.family().toStdString();
    // A font sized in pixels has no point size of its own; the size it shows in does.
    options.fontSize = font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
    options.tabWidth = editor.TabWidth();
    // The editor holds the document's bytes in the document's encoding.
    WriteColouredHtml(source.lines, editor.Engine().TextEncoding(), source.highlighter, resolver,
                      options, sink);
}

} // namespace

std::string ColouredHtmlBytes(const ColouredHtmlSource& source) {
    std::string page;
    WritePage(source, [&](std::string_view piece) { page.append(piece); });
    return page;
}

void ExportColouredHtml(Dialogs& dialogs, const ColouredHtmlSource& source) {
    FileDialogRequest request;
    request.filters = {{"HTML Files (*.htm, *.html)", "*.htm;*.html"}, {"All Files", "*.*"}};
    request.defaultExtension = "html";
    request.overwritePrompt = true;
    const std::optional<FileDialogResult> chosen = dialogs.SaveFile(request);
    if (!chosen || chosen->files.isEmpty() || chosen->files.front().isEmpty())
        return;
    const QString& path = chosen->files.front();
    const std::string encodedPath = LocalPath(path);
    // Streamed: the page of a big document is never held whole.
    const auto content = [&](const std::function<bool(std::string_view)>& write) {
        bool writing = true;
        WritePage(source, [&](std::string_view piece) { writing = writing && write(piece); });
    };
    if (const std::optional<FileError> error = SaveFileAtomically(encodedPath, content))
        dialogs.ShowError(QStringLiteral("Tabrix Pro"), "Cannot create file \"" + ShownPath(path) +
                                                            "\". " + ShownText(error->reason));
}
