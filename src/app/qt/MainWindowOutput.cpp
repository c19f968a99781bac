// File > Export, Preview in Browser, Print, Print Preview and Page Setup, and Functions > Voice:
// thin entry points passing the current document's text and plain-editor font to the output
// commands.

#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "codeedit/SynEditTextBuffer.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "output/qt/ColouredHtmlCommands.h"
#include "output/qt/HtmlExportCommands.h"
#include "output/qt/SpeechCommands.h"
#include "platform/Registry.h"
#include "platform/qt/PathNames.h"

std::span<const MenuItem> ExportMenu() {
    static const MenuItem rows[] = {
        {.name = "mniHTMLExport",
         .caption = "HTML File w/o Style",
         .tag = 0,
         .handler = Call<&TForm1::mniHTMLExportClick>},
        {.name = "mniHTMLExport1",
         .caption = "HTML File with Style",
         .tag = 1,
         .handler = Call<&TForm1::mniHTMLExportClick>},
        {.name = "HTMLFilewithHeader1",
         .caption = "HTML File with Header",
         .tag = 2,
         .handler = Call<&TForm1::mniHTMLExportClick>,
         .modes = NoViewMode},
        {.name = "mniHTMLExportColours",
         .caption = "HTML File with Colours",
         .handler = Call<&TForm1::mniHTMLExportColoursClick>},
        {.name = "PreviewinBrowser1",
         .caption = "Preview in Browser",
         .shortcuts = {"Ctrl+0"},
         .handler = Call<&TForm1::PreviewinBrowser1Click>},
    };
    return rows;
}

// Its tool buttons show in plain view only, like the Functions menu.
std::span<const MenuItem> VoiceMenu() {
    static const MenuItem rows[] = {
        {.name = "mniSpeak",
         .caption = "Speak",
         .handler = Call<&TForm1::mniSpeakClick>,
         .button = {"tbSpeak", "Speak", "Speak", "speak", {ToolRow::Second, 4, 1}},
         .modes = InPlainView},
        {.name = "mniSpeakSettings",
         .caption = "Speak Settings",
         .handler = Call<&TForm1::mniSpeakSettingsClick>,
         .button = {"tbSpeakSettings",
                    "Options",
                    "Speak Settings",
                    "speak-options",
                    {ToolRow::Second, 4, 2}},
         .modes = InPlainView},
    };
    return rows;
}

void TForm1::mniHTMLExportClick(int tag) {
    const std::optional<HtmlVariant> variant = HtmlVariantFromTag(tag);
    Q_ASSERT(variant);
    if (variant)
        ExportHtml(dialogs, CurrentDocument().View().Text(),
                   *CurrentDocument().FileEncoding.encoding, CurrentPlainEditor()->Font(),
                   *variant);
}

void TForm1::mniHTMLExportColoursClick() {
    TMyMemo& document = CurrentDocument();
    // Rich view has no highlighter: its text in the plain editor's look.
    const TSynEditWidget* active = document.View().TextEditor();
    const TSynEditWidget& lookFrom = active ? *active : *document.PlainEditor;
    const QString title =
        document.FileName.isEmpty() ? QStringLiteral("Untitled") : ShownFileName(document.FileName);
    ExportColouredHtml(dialogs, {document.View().Lines(), lookFrom,
                                 document.View().ColouringHighlighter(), title});
}

void TForm1::PreviewinBrowser1Click() {
    PreviewInBrowser(dialogs, CurrentDocument().View().Text(),
                     *CurrentDocument().FileEncoding.encoding, CurrentPlainEditor()->Font());
}

PrintJob TForm1::CurrentPrintJob() {
    return {CurrentDocument().View().Lines(), *CurrentDocument().FileEncoding.encoding,
            CurrentPlainEditor()->Font(), ShownPath(CurrentDocument().FileName)};
}

void TForm1::Print1Click() {
    pageSetup.ApplyTo(printer);
    PrintWithDialog(dialogs, printer, CurrentPrintJob());
}

void TForm1::PrintPreview1Click() {
    pageSetup.ApplyTo(printer);
    ShowPrintPreview(dialogs, printer, CurrentPrintJob());
}

void TForm1::Pagesetup1Click() {
    pageSetup.Show(dialogs);
}

void TForm1::mniSpeakClick() {
    SpeakText(dialogs, speech, *CurrentPlainEditor());
}

void TForm1::mniSpeakSettingsClick() {
    Registry registry;
    OpenSpeechSettings(dialogs, registry);
}
