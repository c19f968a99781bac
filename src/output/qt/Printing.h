#pragma once
// The window side of File > Print, Print Preview and Page Setup. The text is laid out by a
// hidden rich-text document (the program's RichEdit1) in the plain editor's font, page after
// page over the whole printable area, long lines wrapped; no headers, footers or page numbers,
// and the page setup's values are never applied (as the program always did).

#include "platform/Encoding.h"

#include <QFont>
#include <QPrinter>
#include <QString>

class Dialogs;
class TSynEditStringList;

// What is printed: the lines of the current document's active editor, the font of its plain
// editor and the job title (the document's full path, empty when untitled).
struct PrintJob {
    const TSynEditStringList& lines;
    const Encoding& encoding; // of the lines' bytes
    QFont font;
    QString title;
};

// Prints the job on the printer as it is set up; false when the printer would not start (an
// output file that cannot be written, a printer gone).
bool PrintLines(QPrinter& printer, const PrintJob& job);

// "Print": the print dialog, then the job. A printer that would not start is reported.
void PrintWithDialog(Dialogs& dialogs, QPrinter& printer, const PrintJob& job);

// "Print Preview": the pages exactly as Print lays them out on this printer.
void ShowPrintPreview(Dialogs& dialogs, QPrinter& printer, const PrintJob& job);

// "Page Setup": a dialog whose values are kept between showings and used nowhere. It starts
// with A4 paper (210 x 297 mm) and margins of 25 mm all round.
class PageSetup {
public:
    PageSetup();
    void Show(Dialogs& dialogs);
    const QPrinter& Printer() const { return printer; }

private:
    QPrinter printer;
};
