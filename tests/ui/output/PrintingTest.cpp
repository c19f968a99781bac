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
    // Each word pdftotext finds on a page, with its box in points from the sheet's top left.
    struct Word {
        QString text;
        QRectF box;
    };
    std::vector<Word> Words(int page) const {
        const QString number = QString::number(page);
        const QString html = Run("pdftotext", {"-f", number, "-l", number, "-bbox", pdf, "-"});
        static const QRegularExpression word(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
        std::vector<Word> words;
        for (auto match = word.globalMatch(html); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            words.push_back(
                {found.captured(5),
                 QRectF(QPointF(found.captured(1).toDouble(), found.captured(2).toDouble()),
                        QPointF(found.captured(3).toDouble(), found.captured(4).toDouble()))});
        }
        return words;
    }
    // The lines of text that fit between the margins of the printer's page layout.
    int LinesPerPage() const {
        const qreal height = printer.pageLayout().paintRectPixels(printer.resolution()).height();
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
    printer.setPageMargins(QMarginsF(25, 25, 25, 25), QPageLayout::Millimeter);
    ASSERT_EQ(PrintLines(printer, {lines, ProgramEncoding(), font, "/home/user/notes.txt"}),
              PrintResult::Printed);

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
    ASSERT_EQ(PrintLines(printer, {lines, ProgramEncoding(), font, ""}), PrintResult::Printed);
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
    // The whole sheet, so that no line is near the page's edge for the text extraction.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    lines.Add(line);
    ASSERT_EQ(PrintLines(printer, {lines, ProgramEncoding(), font, ""}), PrintResult::Printed);
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
    ASSERT_EQ(PrintLines(printer, {lines, ProgramEncoding(), font, ""}), PrintResult::Printed);
    EXPECT_EQ(Pages(), 1);
    EXPECT_TRUE(PageLines(1).isEmpty());
}

TEST_F(PrintingTest, TextStaysInsidePageSetupsMargins) {
    const std::string words = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda";
    for (int i = 0; i < 200; ++i)
        lines.Add(i % 7 == 0 ? words + " " + words : "line " + std::to_string(i));
    constexpr qreal PointsPerMm = 72 / 25.4;
    const struct {
        const char* name;
        QMarginsF margins; // mm; none: Page Setup as it starts
    } cases[] = {
        {"Page Setup's own", {}},
        {"chosen in Page Setup", QMarginsF(10, 40, 30, 20)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PageSetup setup;
        if (!c.margins.isNull()) {
            ScriptedDialogs dialogs;
            dialogs.Queue(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, c.margins,
                                      QPageLayout::Millimeter));
            setup.Show(dialogs);
        }
        const QMarginsF expected = c.margins.isNull() ? QMarginsF(25, 25, 25, 25) : c.margins;
        setup.ApplyTo(printer);
        ASSERT_EQ(PrintLines(printer, {lines, ProgramEncoding(), font, ""}), PrintResult::Printed);
        ASSERT_GE(Pages(), 2);
        const QRectF inside = QRectF(0, 0, 210, 297).marginsRemoved(expected);
        const QRectF allowed(inside.topLeft() * PointsPerMm, inside.size() * PointsPerMm);
        for (const int page : {1, Pages()}) {
            const std::vector<Word> found = Words(page);
            ASSERT_FALSE(found.empty()) << "page " << page;
            // The first word starts at the margins' corner, give or take the font's own room.
            EXPECT_NEAR(found.front().box.left(), allowed.left(), 3) << "page " << page;
            EXPECT_NEAR(found.front().box.top(), allowed.top(), 6) << "page " << page;
            for (const Word& word : found)
                EXPECT_TRUE(allowed.adjusted(-1, -1, 1, 1).contains(word.box))
                    << "page " << page << " '" << word.text.toStdString() << "' at "
                    << word.box.left() << "," << word.box.top() << " - " << word.box.right() << ","
                    << word.box.bottom();
        }
    }
}

TEST_F(PrintingTest, OnlyThePagesOfTheChosenRangeArePrinted) {
    for (int i = 1; i <= 400; ++i)
        lines.Add("row " + std::to_string(i));
    const int perPage = LinesPerPage();
    const int pages = (400 + perPage - 1) / perPage;
    ASSERT_GE(pages, 5);
    const struct {
        int from, to; // 0, 0: no range chosen
        std::vector<int> printed;
    } cases[] = {
        {0, 0, {1, 2, 3, 4, 5}},
        {2, 3, {2, 3}},
        {4, 4, {4}},
        {pages - 1, pages + 5, {pages - 1, pages}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "-" + std::to_string(c.to));
        printer.setPrintRange(c.from == 0 ? QPrinter::AllPages : QPrinter::PageRange);
        printer.setFromTo(c.from, c.to);
        ASSERT_EQ(PrintLines(printer, {lines, ProgramEncoding(), font, ""}), PrintResult::Printed);
        const std::size_t expectedPages = c.from == 0 ? std::size_t(pages) : c.printed.size();
        ASSERT_EQ(Pages(), int(expectedPages));
        for (std::size_t i = 0; i < std::min(c.printed.size(), expectedPages); ++i)
            EXPECT_EQ(PageLines(int(i) + 1).first().trimmed(),
                      "row " + QString::number((c.printed[i] - 1) * perPage + 1));
    }
}

TEST_F(PrintingTest, ARangePastTheLastPagePrintsNothingAndSaysSo) {
    lines.Add("one page");
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(3, 4);
    ScriptedDialogs dialogs;
    dialogs.Queue(true);
    PrintWithDialog(dialogs, printer, {lines, ProgramEncoding(), font, ""});
    EXPECT_FALSE(QFile::exists(pdf));
    ASSERT_EQ(dialogs.History().size(), 2u);
    EXPECT_EQ(dialogs.History()[1].messageKind, MessageKind::Error);
    EXPECT_EQ(dialogs.History()[1].text,
              "Nothing was printed: the document has no page from 3 to 4.");
}

TEST_F(PrintingTest, FontTheSystemLacksIsSubstitutedNotDropped) {
    lines.Add("still printed");
    ASSERT_EQ(PrintLines(printer, {lines, ProgramEncoding(), QFont("Tabrix No Such Face", 10), ""}),
              PrintResult::Printed);
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
