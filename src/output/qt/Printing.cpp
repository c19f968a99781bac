#include "output/qt/Printing.h"

#include "codeedit/SynEditTextBuffer.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/EncodingQt.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

namespace {

QTextOption Wrapping() {
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return wrapping;
}

// Characters the renderer gets as one paragraph at most.
constexpr qsizetype PieceLength = 16384;

// The renderer lays a paragraph out anew for every page it draws, which makes a line of
// megabytes cost time in the square of its length. Such a line goes in as several paragraphs
// that end exactly where wrapping breaks it anyway: a window of the line is laid out at the
// page width, and the cut falls at the start of its last printed line.
void AppendLine(QString& text, const QString& line, const QFont& font, QPaintDevice& device,
                qreal width) {
    qsizetype start = 0;
    while (line.size() - start > PieceLength) {
        QTextLayout layout(line.mid(start, PieceLength), font, &device);
        layout.setTextOption(Wrapping());
        layout.beginLayout();
        qsizetype lastStart = 0;
        for (QTextLine printed = layout.createLine(); printed.isValid();
             printed = layout.createLine()) {
            printed.setLineWidth(width);
            lastStart = printed.textStart();
        }
        layout.endLayout();
        if (lastStart == 0)
            break;
        text += QStringView(line).mid(start, lastStart);
        text += QLatin1Char('\n');
        start += lastStart;
    }
    text += QStringView(line).mid(start);
}

QString JoinedLines(const TSynEditStringList& lines, const Encoding& encoding, const QFont& font,
                    QPaintDevice& device, qreal width) {
    QString text;
    for (LineIndex line(0); line.Value() < lines.Count(); ++line) {
        if (line > LineIndex(0))
            text += QLatin1Char('\n');
        AppendLine(text, ToQString(lines.Get(line), encoding), font, device, width);
    }
    return text;
}

// The pages to print, 0-based and inclusive: the printer's range, cut to the document.
struct PageSpan {
    int first, last;
};

PageSpan PagesToPrint(const QPrinter& printer, int pages) {
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() < 1)
        return {0, pages - 1};
    return {printer.fromPage() - 1, std::min(pages, printer.toPage()) - 1};
}

} // namespace

PrintResult PrintLines(QPrinter& printer, const PrintJob& job) {
    printer.setDocName(job.title);

    QTextDocument renderer;
    renderer.setDocumentMargin(0);
    renderer.setDefaultFont(job.font);
    renderer.setDefaultTextOption(Wrapping());
    // Measured in the printer's own resolution, so what fits on a page is what prints.
    renderer.documentLayout()->setPaintDevice(&printer);
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    renderer.setPageSize(page.size());
    renderer.setPlainText(JoinedLines(job.lines, job.encoding, job.font, printer, page.width()));

    const PageSpan span = PagesToPrint(printer, renderer.pageCount());
    if (span.first > span.last)
        return PrintResult::NoPageInRange;
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintResult::PrinterFailed;
    QAbstractTextDocumentLayout::PaintContext context;
    // Black, the window-text colour of a light desktop: a dark theme's would vanish on paper.
    context.palette.setColor(QPalette::Text, Qt::black);
    const qreal quarterLine = QFontMetricsF(job.font, &printer).height() / 4;
    for (int index = span.first; index <= span.last; ++index) {
        if (index > span.first && !printer.newPage())
            return PrintResult::PrinterFailed;
        const QRectF shown = page.translated(0, index * page.height());
        painter.save();
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        // Inside the page by a quarter line: the layout draws every line that touches the clip,
        // so the last line of the page before would come along, hidden in the margin but there
        // as text.
        context.clip = shown.adjusted(0, quarterLine, 0, -quarterLine);
        renderer.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end() ? PrintResult::Printed : PrintResult::PrinterFailed;
}

void PrintWithDialog(Dialogs& dialogs, QPrinter& printer, const PrintJob& job) {
    if (!dialogs.Print(printer))
        return;
    switch (PrintLines(printer, job)) {
    case PrintResult::Printed:
        break;
    case PrintResult::NoPageInRange:
        dialogs.ShowError("Tabrix Pro", QString("Nothing was printed: the document has no page "
                                                "from %1 to %2.")
                                            .arg(printer.fromPage())
                                            .arg(printer.toPage()));
        break;
    case PrintResult::PrinterFailed: {
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        dialogs.ShowError("Tabrix Pro", "Cannot print to \"" + target + "\".");
        break;
    }
    }
}

void ShowPrintPreview(Dialogs& dialogs, QPrinter& printer, const PrintJob& job) {
    // The preview shows every page, whatever range the last print asked for.
    printer.setPrintRange(QPrinter::AllPages);
    dialogs.PrintPreview(printer, [&job](QPrinter& pages) { PrintLines(pages, job); });
}

PageSetup::PageSetup() {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(25, 25, 25, 25), QPageLayout::Millimeter));
}

void PageSetup::Show(Dialogs& dialogs) {
    dialogs.PageSetup(printer);
}

void PageSetup::ApplyTo(QPrinter& target) const {
    target.setPageLayout(printer.pageLayout());
}
