// Opening and saving keep every byte whatever the line breaks, and big files report their
// progress in the status bar while the window goes on repainting.

#include "MainWindowFixture.h"
#include "app/DocumentText.h"
#include "app/qt/StatusBarProgress.h"
#include "app/qt/TextFunctionCommands.h"
#include "richedit/qt/RichEdit.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace {

struct ByteCase {
    const char* name;
    QByteArray bytes;
};

QByteArray Bytes(std::string_view text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

std::vector<ByteCase> ByteCases() {
    using namespace std::string_view_literals;
    const QByteArray longLine = QByteArray(70000, 'x') + "\n" + QByteArray(200000, 'y') + "\r\nz";
    const QByteArray overAMegabyte = "first\n" + QByteArray(3 << 20, 'm') + "\rlast\r\n";
    return {
        {"CR LF with a final break", "one\r\ntwo\r\n"},
        {"LF without a final break", "one\ntwo"},
        {"CR only", "one\rtwo\r"},
        {"mixed, LF CR is two breaks", "a\r\nb\nc\rd\n\re"},
        {"NUL bytes stay in their lines", Bytes("a\0b\r\n\0\n\0"sv)},
        {"only breaks", "\n\n\r\n\r"},
        {"empty", ""},
        {"lines longer than 64 KiB", longLine},
        {"a line over a megabyte", overAMegabyte},
    };
}

// What the plain editor holds of a file, as lines: its breaks all made CR LF, then cut there.
QList<QByteArray> PlainLines(const QByteArray& file) {
    const QByteArray text = Bytes(ToPlainEditorText(file.toStdString()));
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype at; (at = text.indexOf("\r\n", start)) >= 0; start = at + 2)
        lines << text.mid(start, at - start);
    lines << text.mid(start);
    return lines;
}

// An empty list is the editor's one empty line.
QList<QByteArray> EditorLines(const TSynEditStringList& lines) {
    QList<QByteArray> result;
    if (lines.Count() == 0)
        result << QByteArray();
    for (LineIndex line(0); line.Value() < lines.Count(); ++line)
        result << Bytes(lines.Get(line));
    return result;
}

} // namespace

TEST_F(MainWindowTest, OpenAndSaveKeepEveryByteAcrossLineBreakStyles) {
    for (const ByteCase& c : ByteCases()) {
        SCOPED_TRACE(c.name);
        const QString path = WriteFile(QString(c.name).replace(' ', '_') + ".txt", c.bytes);
        window->Files().OpenFile(path);
        EXPECT_EQ(EditorLines(window->CurrentPlainEditor()->Lines()), PlainLines(c.bytes));

        // Each line keeps the break it had in the file, in either view.
        window->Files().mniSaveClick();
        EXPECT_EQ(ReadFile(path), c.bytes);
        window->SetViewMode(vmCode);
        window->Files().mniSaveClick();
        EXPECT_EQ(ReadFile(path), c.bytes);
        window->Tabs().mniCloseClick();
    }
    EXPECT_TRUE(dialogs.History().empty());
}

class BigFileTest : public MainWindowTest {
protected:
    // Calls look(statusText) whenever the event loop runs until the operation ends.
    void WhileRunning(const std::function<void()>& operation,
                      const std::function<void(const QString&)>& look) {
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout,
                         [&] { look(Part<QLabel>(*window, "StatusBarText").text()); });
        timer.start(0);
        operation();
        timer.stop();
    }

    // Runs the operation, expecting it to show progress matching pattern at least twice, to keep
    // the window from closing meanwhile and to give the status bar back; what it showed.
    QStringList ExpectProgress(const QString& pattern, const std::function<void()>& operation) {
        const QRegularExpression shown(pattern);
        QStringList progress;
        bool closeRefused = true;
        WhileRunning(operation, [&](const QString& text) {
            if (!shown.match(text).hasMatch())
                return;
            progress << text;
            window->close();
            closeRefused = closeRefused && window->isVisible();
        });
        EXPECT_GE(progress.size(), 2) << "the event loop ran during the operation";
        EXPECT_TRUE(closeRefused);
        EXPECT_FALSE(shown.match(Part<QLabel>(*window, "StatusBarText").text()).hasMatch())
            << "the progress stayed after the end";
        return progress;
    }

    // Over the size that shows progress: lines of 64 bytes with LF breaks.
    QString WriteBigFile() {
        const QByteArray line = QByteArray(63, 'b') + "\n";
        QByteArray bytes;
        bytes.reserve(qsizetype(kBigText) + (1 << 20) * 2);
        while (bytes.size() <= qsizetype(kBigText) + (1 << 20))
            bytes += line;
        lineCount = int(bytes.size() / line.size());
        return WriteFile("big.txt", bytes);
    }

    int lineCount = 0;
};

TEST_F(BigFileTest, OpeningAndSavingShowProgressAndKeepTheWindowRunning) {
    const QString path = WriteBigFile();
    Part<QLabel>(*window, "StatusBarText").setText("before");
    struct Step {
        const char* action;
        std::function<void()> run;
    };
    for (const Step& step : {Step{"Opening", [&] { window->Files().OpenFile(path); }},
                             Step{"Saving", [&] { window->Files().mniSaveClick(); }}}) {
        SCOPED_TRACE(step.action);
        ExpectProgress(
            QString("^%1 %2\\.\\.\\. (\\d+)%$").arg(step.action, QRegularExpression::escape(path)),
            step.run);
        EXPECT_EQ(Part<QLabel>(*window, "StatusBarText").text(), "before");
    }
    // The big file is whole: one line per line of the file and the empty one after the last.
    EXPECT_EQ(window->CurrentPlainEditor()->Lines().Count(), lineCount + 1);
    EXPECT_EQ(ReadFile(path).size(), qsizetype(lineCount) * 64) << "its LF breaks kept";
    EXPECT_FALSE(window->CurrentDocument().Modified);
}

TEST_F(BigFileTest, SmallFilesShowNoProgress) {
    const QString path = WriteFile("small.txt", QByteArray(16 << 20, 's'));
    Part<QLabel>(*window, "StatusBarText").setText("before");
    QStringList seen;
    WhileRunning([&] { window->Files().OpenFile(path); },
                 [&](const QString& text) { seen << text; });
    EXPECT_TRUE(seen.isEmpty()) << seen.join(", ").toStdString();
    EXPECT_EQ(window->CurrentPlainEditor()->Lines().Get(LineIndex(0)).size(), std::size_t(16)
                                                                                  << 20);
}

TEST_F(BigFileTest, WholeTextFunctionsOnABigTextShowTheirTimeAndKeepTheWindowRunning) {
    std::string text;
    while (text.size() <= kBigText)
        text += "mixed Case words\r\n";
    window->CurrentPlainEditor()->SetText(text);
    Part<QLabel>(*window, "StatusBarText").setText("before");
    const QRegularExpression shown("^Running upper\\.\\.\\. \\d+ s$");
    int seen = 0;
    bool closeRefused = true;
    WhileRunning([&] { window->TextFunctions().RunTextFunction("upper"); },
                 [&](const QString& status) {
                     if (!shown.match(status).hasMatch())
                         return;
                     ++seen;
                     window->close();
                     closeRefused = closeRefused && window->isVisible();
                 });
    EXPECT_GE(seen, 1);
    EXPECT_TRUE(closeRefused);
    EXPECT_EQ(Part<QLabel>(*window, "StatusBarText").text(), "before");
    std::string upper = text;
    for (char& c : upper)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    EXPECT_TRUE(window->CurrentPlainEditor()->Text() == upper) << "the text was upper-cased";
    window->CurrentDocument().Modified = false;
}

TEST_F(BigFileTest, RichViewTakesABigTextSavesItAndGivesItBackShowingProgress) {
    const QString path = WriteBigFile();
    window->Files().OpenFile(path);
    ExpectProgress("^Switching to rich view\\.\\.\\. \\d+%$", [&] { window->SetViewMode(vmRich); });
    EXPECT_EQ(window->CurrentDocument().RichEditor->document()->blockCount(), lineCount + 1);
    // A text file stays text in rich view, each line with the LF break it had.
    ExpectProgress("^Saving " + QRegularExpression::escape(path) + "\\.\\.\\. \\d+%$",
                   [&] { window->Files().mniSaveClick(); });
    QByteArray expected;
    for (int line = 0; line < lineCount; ++line)
        expected += QByteArray(63, 'b') + "\n";
    EXPECT_TRUE(ReadFile(path) == expected) << "the saved text differs";
    ExpectProgress("^Switching to plain view\\.\\.\\. \\d+%$",
                   [&] { window->SetViewMode(vmPlain); });
    const TSynEditStringList& lines = window->CurrentPlainEditor()->Lines();
    ASSERT_EQ(lines.Count(), lineCount + 1);
    EXPECT_EQ(lines.Get(LineIndex(lineCount - 1)), std::string(63, 'b'));
    EXPECT_EQ(lines.Get(LineIndex(lineCount)), "");
    window->CurrentDocument().Modified = false;
}

TEST_F(BigFileTest, ABigRtfFileOpensCountingUpOnceThroughReadingAndLayingOut) {
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\n";
    const QByteArray paragraph = "\\b bold\\b0  then plain words to make a paragraph of it\\par\n";
    int paragraphs = 0;
    rtf.reserve(qsizetype(kBigText) + (2 << 20));
    for (; rtf.size() <= qsizetype(kBigText) + (1 << 20); ++paragraphs)
        rtf += paragraph;
    rtf += "}";
    const QString path = WriteFile("big.rtf", rtf);
    const QString pattern = "^Opening " + QRegularExpression::escape(path) + "\\.\\.\\. (\\d+)%$";
    const QStringList shown = ExpectProgress(pattern, [&] { window->Files().OpenFile(path); });
    QList<int> percents;
    for (const QString& text : shown)
        percents << QRegularExpression(pattern).match(text).captured(1).toInt();
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    ASSERT_FALSE(percents.isEmpty());
    EXPECT_GT(percents.back(), 50) << "the second stage counts on from the first";
    ASSERT_EQ(window->CurrentDocument().ViewMode, vmRich);
    const QTextDocument& text = *window->CurrentDocument().RichEditor->document();
    ASSERT_EQ(text.blockCount(), paragraphs);
    EXPECT_EQ(text.lastBlock().text(), "bold then plain words to make a paragraph of it");
    EXPECT_TRUE(text.lastBlock().begin().fragment().charFormat().font().bold());
}

TEST_F(BigFileTest, ABigUtf16FileOpensAndSavesByteForByteShowingProgress) {
    // Two bytes a letter both as UTF-8 and as UTF-16: over the size that shows progress either way.
    const QString line = QString("äöü").repeated(20) + "\r\n";
    QString text;
    while (text.toUtf8().size() <= qsizetype(kBigText) + (1 << 20))
        text += line.repeated(4096);
    QByteArray file("\xFF\xFE");
    file.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QString path = WriteFile("big-utf16.txt", file);
    const QString shown = QRegularExpression::escape(path) + "\\.\\.\\. \\d+( s|%)$";
    ExpectProgress("^Opening " + shown, [&] { window->Files().OpenFile(path); });
    ASSERT_TRUE(window->CurrentDocument().FileEncoding.IsUtf16());
    EXPECT_EQ(window->CurrentPlainEditor()->Lines().Get(LineIndex(0)),
              line.chopped(2).toStdString());
    window->CurrentDocument().Modified = true;
    ExpectProgress("^Saving " + shown, [&] { window->Files().mniSaveClick(); });
    EXPECT_TRUE(ReadFile(path) == file) << "the file did not come back byte for byte";
    EXPECT_FALSE(window->CurrentDocument().Modified);
}
