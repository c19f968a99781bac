// Opening and saving keep every byte whatever the line breaks, and big files report their
// progress in the status bar while the window goes on repainting.

#include "MainWindowFixture.h"
#include "app/DocumentText.h"
#include "app/qt/StatusBarProgress.h"

#include <QRegularExpression>
#include <QTimer>
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
    for (int i = 0; i < lines.Count(); ++i)
        result << Bytes(lines.Get(i));
    return result;
}

} // namespace

TEST_F(MainWindowTest, OpenAndSaveKeepEveryByteAcrossLineBreakStyles) {
    for (const ByteCase& c : ByteCases()) {
        SCOPED_TRACE(c.name);
        const QString path = WriteFile(QString(c.name).replace(' ', '_') + ".txt", c.bytes);
        window->OpenFile(path);
        const QByteArray plain = Bytes(ToPlainEditorText(c.bytes.toStdString()));
        EXPECT_EQ(EditorLines(window->CurrentPlainEditor()->Lines()), PlainLines(c.bytes));

        window->mniSaveClick();
        EXPECT_EQ(ReadFile(path), plain);

        // Code view writes CR LF after every line, so only a missing final break is added.
        window->SetViewMode(vmCode);
        window->mniSaveClick();
        EXPECT_EQ(ReadFile(path),
                  plain.isEmpty() || plain.endsWith("\r\n") ? plain : plain + "\r\n");
        window->mniCloseClick();
    }
    EXPECT_TRUE(dialogs.History().empty());
}

class BigFileTest : public MainWindowTest {
protected:
    // Calls look(statusText) whenever the event loop runs until the operation ends.
    void WhileRunning(const std::function<void()>& operation,
                      const std::function<void(const QString&)>& look) {
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { look(window->StatusBarText->text()); });
        timer.start(0);
        operation();
        timer.stop();
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
    window->StatusBarText->setText("before");
    struct Step {
        const char* action;
        std::function<void()> run;
    };
    for (const Step& step : {Step{"Opening", [&] { window->OpenFile(path); }},
                             Step{"Saving", [&] { window->mniSaveClick(); }}}) {
        SCOPED_TRACE(step.action);
        const QRegularExpression shown(
            QString("^%1 %2\\.\\.\\. (\\d+)%$").arg(step.action, QRegularExpression::escape(path)));
        QStringList progress;
        bool closeRefused = true;
        WhileRunning(step.run, [&](const QString& text) {
            if (!shown.match(text).hasMatch())
                return;
            progress << text;
            // Half-way, the window cannot be closed under the operation.
            window->close();
            closeRefused = closeRefused && window->isVisible();
        });
        EXPECT_GE(progress.size(), 2) << "the event loop ran during the operation";
        EXPECT_TRUE(closeRefused);
        EXPECT_EQ(window->StatusBarText->text(), "before");
    }
    // The big file is whole: one line per line of the file and the empty one after the last.
    EXPECT_EQ(window->CurrentPlainEditor()->Lines().Count(), lineCount + 1);
    EXPECT_EQ(ReadFile(path).size(), qsizetype(lineCount) * 65);
    EXPECT_FALSE(window->CurrentDocument().Modified);
}

TEST_F(BigFileTest, SmallFilesShowNoProgress) {
    const QString path = WriteFile("small.txt", QByteArray(16 << 20, 's'));
    window->StatusBarText->setText("before");
    QStringList seen;
    WhileRunning([&] { window->OpenFile(path); }, [&](const QString& text) { seen << text; });
    EXPECT_TRUE(seen.isEmpty()) << seen.join(", ").toStdString();
    EXPECT_EQ(window->CurrentPlainEditor()->Lines().Get(0).size(), std::size_t(16) << 20);
}

TEST_F(BigFileTest, WholeTextFunctionsOnABigTextShowTheirTimeAndKeepTheWindowRunning) {
    std::string text;
    while (text.size() <= kBigText)
        text += "mixed Case words\r\n";
    window->CurrentPlainEditor()->SetText(text);
    window->StatusBarText->setText("before");
    const QRegularExpression shown("^Running upper\\.\\.\\. \\d+ s$");
    int seen = 0;
    bool closeRefused = true;
    WhileRunning([&] { window->RunTextFunction("upper"); },
                 [&](const QString& status) {
                     if (!shown.match(status).hasMatch())
                         return;
                     ++seen;
                     window->close();
                     closeRefused = closeRefused && window->isVisible();
                 });
    EXPECT_GE(seen, 1);
    EXPECT_TRUE(closeRefused);
    EXPECT_EQ(window->StatusBarText->text(), "before");
    std::string upper = text;
    for (char& c : upper)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    EXPECT_TRUE(window->CurrentPlainEditor()->Text() == upper) << "the text was upper-cased";
    window->CurrentDocument().Modified = false;
}
