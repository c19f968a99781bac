#pragma once
// File > Export, Preview in Browser, Print, Print Preview and Page Setup, and Functions > Voice:
// the current document's text and plain-editor font passed to the output commands, and what the
// print dialog and the voice keep between uses.

#include "app/qt/Document.h"
#include "output/qt/Printing.h"
#include "platform/Speech.h"

#include <QPrinter>
#include <functional>

class Dialogs;

class TOutputCommands {
public:
    TOutputCommands(Dialogs& dialogs, CurrentDocumentSource current);

    // tag: the HTML variant of the Export item.
    void mniHTMLExportClick(int tag);
    // "HTML File with Colours": the page as the active editor colours it.
    void mniHTMLExportColoursClick();
    void PreviewinBrowser1Click();
    void Print1Click();
    void PrintPreview1Click();
    void Pagesetup1Click();
    void mniSpeakClick();
    void mniSpeakSettingsClick();

private:
    PrintJob CurrentPrintJob();

    Dialogs& dialogs;
    CurrentDocumentSource current;
    // The print dialog's choices, kept between prints as the dialog component keeps them.
    QPrinter printer;
    PageSetup pageSetup;
    SpeechToAudioDevice speech;
};
