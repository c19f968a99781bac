// The output commands of the current document, and the menu rows that run them.

#include "app/qt/OutputCommands.h"

#include "app/qt/Document.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/qt/Memo.h"
#include "output/qt/ColouredHtmlCommands.h"
#include "output/qt/HtmlExportCommands.h"
#include "output/qt/SpeechCommands.h"
#include "platform/Registry.h"
#include "platform/qt/PathNames.h"

TOutputCommands::TOutputCommands(Dialogs& dialogs, CurrentDocumentSource current)
    : dialogs(dialogs), current(std::move(current)) {}

std::span<const MenuItem> ExportMenu() {
    static const MenuItem rows[] = {
        {.name = "mniHTMLExport",
         .caption = "HTML File w/o Style",
         .tag = 0,
         .handler = CallOn<&TForm1::Output, &TOutputCommands::mniHTMLExportClick>},
        {.name = "mniHTMLExport1",
         .caption = "HTML File with Style",
         .tag = 1,
         .handler = CallOn<&TForm1::Output, &TOutputCommands::mniHTMLExportClick>},
        {.name = "HTMLFilewithHeader1",
         .caption = "HTML File with Header",
         .tag = 2,
         .handler = CallOn<&TForm1::Output, &TOutputCommands::mniHTMLExportClick>,
         .modes = NoViewMode},
        {.name = "mniHTMLExportColours",
         .caption = "HTML File with Colours",
         .handler = CallOn<&TForm1::Output, &TOutputCommands::mniHTMLExportColoursClick>},
        {.name = "PreviewinBrowser1",
         .caption = "Preview in Browser",
         .shortcuts = {"Ctrl+0"},
         .handler = CallOn<&TForm1::Output, &TOutputCommands::PreviewinBrowser1Click>},
    };
    return rows;
}

// Its tool buttons show in plain view only, like the Functions menu.
std::span<const MenuItem> VoiceMenu() {
    static const MenuItem rows[] = {
        {.name = "mniSpeak",
         .caption = "Speak",
         .handler = CallOn<&TForm1::Output, &TOutputCommands::mniSpeakClick>,
         .button = {"tbSpeak", "Speak", "Speak", "speak", {ToolRow::Second, 4, 1}},
         .modes = InPlainView},
        {.name = "mniSpeakSettings",
         .caption = "Speak Settings",
         .handler = CallOn<&TForm1::Output, &TOutputCommands::mniSpeakSettingsClick>,
         .button = {"tbSpeakSettings",
                    "Options",
                    "Speak Settings",
                    "speak-options",
                    {ToolRow::Second, 4, 2}},
         .modes = InPlainView},
    };
    return rows;
}

void TOutputCommands::mniHTMLExportClick(int tag) {
    const std::optional<HtmlVariant> variant = HtmlVariantFromTag(tag);
    Q_ASSERT(variant);
    if (variant)
        ExportHtml(dialogs, current().View().Text(), *current().FileEncoding.encoding,
                   current().PlainEditor->Font(), *variant);
}

void TOutputCommands::mniHTMLExportColoursClick() {
    TMyMemo& document = current();
    // Rich view has no highlighter: its text in the plain editor's look.
    const TSynEditWidget* active = document.View().TextEditor();
    const TSynEditWidget& lookFrom = active ? *active : *document.PlainEditor;
    const QString title =
        document.FileName.isEmpty() ? QStringLiteral("Untitled") : ShownFileName(document.FileName);
    ExportColouredHtml(dialogs, {document.View().Lines(), lookFrom,
                                 document.View().ColouringHighlighter(), title});
}

void TOutputCommands::PreviewinBrowser1Click() {
    PreviewInBrowser(dialogs, current().View().Text(), *current().FileEncoding.encoding,
                     current().PlainEditor->Font());
}

PrintJob TOutputCommands::CurrentPrintJob() {
    return {current().View().Lines(), *current().FileEncoding.encoding,
            current().PlainEditor->Font(), ShownPath(current().FileName)};
}

void TOutputCommands::Print1Click() {
    pageSetup.ApplyTo(printer);
    PrintWithDialog(dialogs, printer, CurrentPrintJob());
}

void TOutputCommands::PrintPreview1Click() {
    pageSetup.ApplyTo(printer);
    ShowPrintPreview(dialogs, printer, CurrentPrintJob());
}

void TOutputCommands::Pagesetup1Click() {
    pageSetup.Show(dialogs);
}

void TOutputCommands::mniSpeakClick() {
    SpeakText(dialogs, speech, *current().PlainEditor);
}

void TOutputCommands::mniSpeakSettingsClick() {
    Registry registry;
    OpenSpeechSettings(dialogs, registry);
}
