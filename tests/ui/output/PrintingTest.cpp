#include "output/qt/Printing.h"

#include "codeedit/SynEditTextBuffer.h"
#include "platform/qt/ScriptedDialogs.h"
#include "support/TemporaryFolderTest.h"
#include "ui/support/QtPrinters.h"

#include <QFile>
#include <QFontMetricsF>
#include <QProcess>
#include <QRegularExpression>
#include <QTextLayout>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Printing to PDF, read back with poppler's pdfinfo and pdftotext.
class PrintingTest : public TemporaryFolderTest {
protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        pdf = QString::fromStdString(root + "out.pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }

    static QString Run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    int Pages() const {
        const QRegularExpressionMatch match =
            QRegularExpression(R"(Pages:\s+(\d+))").match(Run("pdfinfo", {pdf}));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }
    QString Title() const {
        const QRegularExpressionMatch match =
            QRegularExpression(R"(Title:\s+(.*)\n)").match(Run("pdfinfo", {pdf}));
        return match.hasMatch() ? match.captured(1) : QString();
    }
    QString PageText(int page) const {
        const QString number = QString::number(page);
        return Run("pdftotext", {"-f", number, "-l", number, "-layout", pdf, "-"});
    }
    // Lines of one page's text as pdftotext reads them, blank ones left out.
    QStringList PageLines(int page) const {
        QStringList lines = PageText(page).split('\n');
        lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
        return lines;
    }
    // The lines of text that fit on the printer's whole printable area.
    int LinesPerPage() const {
        QPageLayout printable = printer.pageLayout();
        printable.setMargins(printable.minimumMargins());
        const qreal height = printable.paintRectPixels(printer.resolution()).height();
        return static_cast<int>(height / QFontMetricsF(font, &printer).height());
    }

    QPrinter printer{QPrinter::HighResolution};
    QString pdf;
    QFont font{"Courier New", 10};
    TSynEditStringList lines;
};

TEST_F(PrintingTest, LinesFlowOverPagesInOrderWithNoneLostOrRepeated) {
    for (int i = 1; i <= 300; ++i)
        lines.Add("line " + std::to_string(i));
    // Margins chosen anywhere are not applied: the page is the whole printable area.
    printer.setPageMargins(QMarginsF(25, 25, 25, 25), QPageLayout::Millimeter);
    ASSERT_TRUE(PrintLines(printer, {lines, ProgramEncoding(), font, "/home/user/notes.txt"}));

    const int perPage = LinesPerPage();
    ASSERT_GT(perPage, 20);
    const int pages = (300 + perPage - 1) / perPage;
    ASSERT_EQ(Pages(), pages);
    QStringList printed;
    for (int page = 1; page <= pages; ++page) {
        const QStringList pageLines = PageLines(page);
        EXPECT_LE(pageLines.size(), perPage) << "page " << page;
        printed += pageLines;
    }
    ASSERT_EQ(printed.size(), 300);
    for (int i = 0; i < 300; ++i)
        EXPECT_EQ(printed[i].trimmed(), "line " + QString::number(i + 1));
    EXPECT_EQ(Title(), "/home/user/notes.txt");
}

TEST_F(PrintingTest, LongLinesWrapInsteadOfBeingCutOff) {
    const std::string word(120, 'w'); // one word wider than the page
    const std::string words = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda "
                              "mu nu xi omicron pi rho sigma tau upsilon phi chi psi omega end";
    lines.Add(word);
    lines.Add(words + " " + words);
    ASSERT_TRUE(PrintLines(printer, {lines, ProgramEncoding(), font, ""}));
    ASSERT_EQ(Pages(), 1);
    const QString text = PageText(1);
    EXPECT_EQ(text.count('w'), 120);
    EXPECT_EQ(text.count("omega"), 2);
    EXPECT_GE(PageLines(1).size(), 4) << text;
    for (const QString& line : PageLines(1))
        EXPECT_LT(line.trimmed().size(), 100) << line;
}

TEST_F(PrintingTest, VeryLongLineWrapsAsOneParagraphWithNothingLost) {
    std::string line;
    for (int i = 0; line.size() < 70000; ++i)
        line.append("w").append(std::to_string(i)).append(i % 3 == 0 ? "  " : " ");
    lines.Add(line);
    ASSERT_TRUE(PrintLines(printer, {lines, ProgramEncoding(), font, ""}));
    QStringList printed;
    for (int page = 1, pages = Pages(); page <= pages; ++page)
        printed += PageLines(page);

    // The first word of every printed line, as one layout of the whole line at the page width
    // breaks it.
    const QString text = QString::fromStdString(line);
    QTextLayout layout(text, font, &printer);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrapping);
    const qreal width = printer.pageRect(QPrinter::DevicePixel).width();
    QStringList expected;
    layout.beginLayout();
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(width);
        expected += text.mid(row.textStart(), row.textLength()).section(' ', 0, 0);
    }
    layout.endLayout();
    ASSERT_GT(expected.size(), 100);
    ASSERT_EQ(printed.size(), expected.size());
    for (qsizetype i = 0; i < printed.size(); ++i)
        ASSERT_EQ(printed[i].trimmed().section(' ', 0, 0), expected[i]) << "printed line " << i;

    QStringList words;
    for (const QString& row : printed)
        words += row.split(' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i)
        ASSERT_EQ(words[i], "w" + QString::number(i));
    EXPECT_EQ(words.size(), text.split(' ', Qt::SkipEmptyParts).size());
}

TEST_F(PrintingTest, EmptyDocumentPrintsOneBlankPage) {
    ASSERT_TRUE(PrintLines(printer, {lines, ProgramEncoding(), font, ""}));
    EXPECT_EQ(Pages(), 1);
    EXPECT_TRUE(PageLines(1).isEmpty());
}

TEST_F(PrintingTest, FontTheSystemLacksIsSubstitutedNotDropped) {
    lines.Add("still printed");
    ASSERT_TRUE(
        PrintLines(printer, {lines, ProgramEncoding(), QFont("Tabrix No Such Face", 10), ""}));
    EXPECT_EQ(PageText(1).trimmed(), "still printed");
}

TEST_F(PrintingTest, PrintDialogDecides) {
    lines.Add("printed");
    ScriptedDialogs dialogs;
    dialogs.Queue(false);
    PrintWithDialog(dialogs, printer, {lines, ProgramEncoding(), font, "t"});
    EXPECT_FALSE(QFile::exists(pdf));
    dialogs.Queue(true);
    PrintWithDialog(dialogs, printer, {lines, ProgramEncoding(), font, "t"});
    EXPECT_EQ(PageText(1).trimmed(), "printed");
    EXPECT_EQ(dialogs.History().size(), 2u);
}

TEST_F(PrintingTest, PrinterThatWillNotStartIsReported) {
    printer.setOutputFileName(QString::fromStdString(root + "missing/folder/out.pdf"));
    lines.Add("x");
    ScriptedDialogs dialogs;
    dialogs.Queue(true);
    PrintWithDialog(dialogs, printer, {lines, ProgramEncoding(), font, ""});
    ASSERT_EQ(dialogs.History().size(), 2u);
    EXPECT_EQ(dialogs.History()[1].messageKind, MessageKind::Error);
    EXPECT_EQ(dialogs.History()[1].text,
              "Cannot print to \"" + QString::fromStdString(root) + "missing/folder/out.pdf\".");
}

TEST_F(PrintingTest, PreviewDrawsThePagesPrintLaysOut) {
    for (int i = 1; i <= 150; ++i)
        lines.Add("row " + std::to_string(i));
    ScriptedDialogs dialogs;
    ShowPrintPreview(dialogs, printer, {lines, ProgramEncoding(), font, "preview"});
    ASSERT_EQ(dialogs.History().size(), 1u);
    EXPECT_EQ(dialogs.History()[0].kind, ScriptedDialogs::Kind::PrintPreview);
    EXPECT_EQ(Pages(), (150 + LinesPerPage() - 1) / LinesPerPage());
    EXPECT_EQ(PageLines(1).first().trimmed(), "row 1");
}

TEST(PageSetup, StartsWithA4AndMarginsOf25mm) {
    PageSetup setup;
    ScriptedDialogs dialogs;
    dialogs.Queue(true);
    setup.Show(dialogs);
    ASSERT_EQ(dialogs.History().size(), 1u);
    const QPageLayout& shown = dialogs.History()[0].pageLayout;
    EXPECT_EQ(dialogs.History()[0].kind, ScriptedDialogs::Kind::PageSetup);
    EXPECT_EQ(shown.pageSize().size(QPageSize::Millimeter), QSizeF(210, 297));
    EXPECT_EQ(shown.margins(QPageLayout::Millimeter), QMarginsF(25, 25, 25, 25));
    EXPECT_EQ(shown.minimumMargins(), QMarginsF(0, 0, 0, 0));
    EXPECT_EQ(shown.orientation(), QPageLayout::Portrait);
}

} // namespace
