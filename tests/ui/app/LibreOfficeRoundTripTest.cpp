// LibreOffice-written rich files, opened, edited by one word and saved by us, read by
// LibreOffice itself: its reading of our file has the tables, cells, list items, bold and italic
// runs, pictures and links of its reading of the original, and the same text but for the word.
// One LibreOffice run converts all files; without LibreOffice the test is skipped.

#include "MainWindowFixture.h"
#include "richedit/qt/RichEdit.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// What LibreOffice's HTML says of a document's structure, and its text.
struct HtmlReading {
    std::map<QString, int> counts;
    QString text;
};

HtmlReading ReadHtml(const QByteArray& html) {
    HtmlReading reading;
    const QString page = QString::fromUtf8(html);
    for (const char* tag : {"<table", "<td", "<li", "<b>", "<i>", "<img", "<a href"}) {
        reading.counts[tag] = int(page.count(QString(tag), Qt::CaseInsensitive));
    }
    QString body = page.mid(int(page.indexOf("<body")));
    body.remove(QRegularExpression("<[^>]*>"));
    reading.text = body.simplified();
    return reading;
}

class LibreOfficeRoundTripTest : public MainWindowTest {};

TEST_F(LibreOfficeRoundTripTest, OurSavedFilesReadInLibreOfficeAsTheOriginals) {
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    struct Case {
        const char* file;
        const char* word;
        const char* replacement;
    };
    const Case cases[] = {
        {"lo-table-formatted.rtf", "below", "above"},
        {"lo-lists-nested.rtf", "pear", "plum"},
        {"lo-spacing-indents.rtf", "Spaced", "Roomy"},
        {"lo-picture-link.rtf", "Look", "Peek"},
    };
    QStringList toConvert;
    for (const Case& c : cases) {
        const QString original = QString(TABRIX_TEST_DATA) + "/rtf/" + c.file;
        const QString copy = PathOf(QString("original-") + c.file);
        ASSERT_TRUE(QFile::copy(original, copy));
        window->Files().OpenFile(copy);
        TRxRichEdit& rich = *window->CurrentDocument().RichEditor;
        QTextCursor found = rich.document()->find(c.word);
        ASSERT_FALSE(found.isNull()) << c.word;
        found.insertText(c.replacement);
        dialogs.QueueFiles({PathOf(QString("ours-") + c.file)});
        window->Files().mniSaveAsClick();
        toConvert << copy << PathOf(QString("ours-") + c.file);
    }
    QProcess office;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", PathOf("home"));
    office.setProcessEnvironment(environment);
    office.start(
        soffice,
        QStringList{"-env:UserInstallation=" + QUrl::fromLocalFile(PathOf("profile")).toString(),
                    "--headless", "--convert-to", "html", "--outdir", PathOf("html")} +
            toConvert);
    ASSERT_TRUE(office.waitForFinished(600'000));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString name = QFileInfo(c.file).completeBaseName() + ".html";
        const HtmlReading original = ReadHtml(ReadFile(PathOf("html/original-" + name)));
        const HtmlReading ours = ReadHtml(ReadFile(PathOf("html/ours-" + name)));
        EXPECT_GT(original.text.size(), 10);
        for (const auto& [tag, count] : original.counts) {
            EXPECT_EQ(ours.counts.at(tag), count) << tag.toStdString();
        }
        QString expected = original.text;
        expected.replace(c.word, c.replacement);
        EXPECT_EQ(ours.text, expected);
    }
}

} // namespace
