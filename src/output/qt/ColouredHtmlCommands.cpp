#include "output/qt/ColouredHtmlCommands.h"

#include "codeedit/qt/ColorQt.h"
#include "codeedit/qt/SynEditWidget.h"
#include "output/ColouredHtml.h"
#include "platform/FileSystem.h"
#include "platform/qt/Dialogs.h"

#include <QFile>
#include <QFontInfo>

std::string ColouredHtmlBytes(const ColouredHtmlSource& source) {
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
    std::string page;
    WriteColouredHtml(source.lines, ProgramEncoding(), source.highlighter, resolver, options,
                      [&](std::string_view piece) { page.append(piece); });
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
    const std::string encodedPath = QFile::encodeName(path).toStdString();
    if (const std::optional<FileError> error =
            SaveFileAtomically(encodedPath, ColouredHtmlBytes(source)))
        dialogs.ShowError(QStringLiteral("Tabrix Pro"),
                          "Cannot create file \"" + path + "\". " +
                              QFile::decodeName(QByteArray::fromStdString(error->reason)));
}
