#pragma once
// The window side of File > Print, Print Preview and Page Setup. The text is laid out by a
// hidden rich-text document (the program's RichEdit1) in the plain editor's font, page after
// page inside the margins of the printer's page layout (Page Setup's, which the window hands
// on), long lines wrapped; no headers, footers or page numbers.

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

enum class PrintResult {
    Printed,
    NoPageInRange, // the range chosen in the print dialog lies past the last page
    PrinterFailed, // an output file that cannot be written, a printer gone
};

// Prints the job on the printer as it is set up: its page layout and margins, and the pages
// of its print range (all when none is chosen).
PrintResult PrintLines(QPrinter& printer, const PrintJob& job);

// "Print": the print dialog (printer, copies, page range), then the job. A range without a
// page and a printer that would not start are reported.
void PrintWithDialog(Dialogs& dialogs, QPrinter& printer, const PrintJob& job);

// "Print Preview": the pages exactly as Print lays them out on this printer.
void ShowPrintPreview(Dialogs& dialogs, QPrinter& printer, const PrintJob& job);

// "Page Setup": a dialog whose paper, orientation and margins are kept between showings and
// given to the printer before each print. It starts with A4 paper (210 x 297 mm) and margins of
// 25 mm all round: a desktop printer reports no margins of its own, so text would otherwise
// start at the very edge of the sheet.
class PageSetup {
public:
    PageSetup();
    void Show(Dialogs& dialogs);
    const QPrinter& Printer() const { return printer; }
    void ApplyTo(QPrinter& target) const;

private:
    QPrinter printer;
};
