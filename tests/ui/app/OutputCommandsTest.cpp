// File > Export, Print, Print Preview, Page Setup and Functions > Voice on a real window: the
// items as the menus show them, and each reaching its command with the current document.

#include "MainWindowFixture.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QToolBar>
#include <optional>

namespace {

// A caption as read, without its accelerator mark.
QString Unmarked(QString caption) {
    return caption.remove('&');
}

class OutputCommandsTest : public MainWindowTest {
protected:
    QAction* Item(const char* name) {
        QAction* action = window->findChild<QAction*>(name);
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    void SetPlainText(const std::string& text) {
        window->CurrentPlainEditor()->SetText(text);
        window->CurrentPlainEditor()->SetFont(QFont("Courier New", 10));
    }
    // Exports through the item, answering the save dialog with path and the question with answer.
    QByteArray Export(const char* item, const QString& path, DialogAnswer answer) {
        dialogs.QueueFiles({path});
        dialogs.Queue(answer);
        Item(item)->trigger();
        return ReadFile(path);
    }
};

TEST_F(OutputCommandsTest, ItemsShowTheirCaptionsKeysAndVisibility) {
    const struct {
        const char* name;
        const char* menu; // the title of the menu holding it
        QString caption;
        QString shortcut;
        bool visible;
    } cases[] = {
        {"mniHTMLExport", "Export", "HTML File w/o Style", "", true},
        {"mniHTMLExport1", "Export", "HTML File with Style", "", true},
        {"HTMLFilewithHeader1", "Export", "HTML File with Header", "", false},
        {"mniHTMLExportColours", "Export", "HTML File with Colours", "", true},
        {"PreviewinBrowser1", "Export", "Preview in Browser", "Ctrl+0", true},
        {"Print1", "File", "Print", "Ctrl+P", true},
        {"PrintPreview1", "File", "Print Preview", "", true},
        {"Pagesetup1", "File", "Page Setup", "", false},
        {"mniSpeak", "Voice", "Speak", "", true},
        {"mniSpeakSettings", "Voice", "Speak Settings", "", true},
    };
    for (const auto& c : cases) {
        QAction* item = Item(c.name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(Unmarked(item->text()), c.caption) << c.name;
        EXPECT_EQ(item->shortcut().toString(), c.shortcut) << c.name;
        EXPECT_EQ(item->isVisible(), c.visible) << c.name;
        const auto holders = item->associatedObjects();
        const bool inMenu = std::any_of(holders.begin(), holders.end(), [&](QObject* holder) {
            auto* menu = qobject_cast<QMenu*>(holder);
            return menu && Unmarked(menu->title()) == c.menu;
        });
        EXPECT_TRUE(inMenu) << c.name << " is not in " << c.menu;
    }
    const QList<QAction*> file = Part<QMenu>(*window, "mniFile").actions();
    EXPECT_EQ(file.indexOf(Item("PrintPreview1")), file.indexOf(Item("Print1")) + 1);
}

TEST_F(OutputCommandsTest, SpeechButtonsShowInPlainViewOnly) {
    const struct {
        int mode;
        bool visible;
    } cases[] = {{vmPlain, true}, {vmCode, false}, {vmPlain, true}};
    for (const auto& c : cases) {
        window->SetViewMode(c.mode);
        window->UpdateModeMenus();
        for (const char* button : {"tbSpeak", "tbSpeakSettings"}) {
            QAction* action = Part<QToolBar>(*window, "ToolBarSecond").findChild<QAction*>(button);
            ASSERT_NE(action, nullptr) << button;
            EXPECT_EQ(action->isVisible(), c.visible) << button << " in mode " << c.mode;
        }
    }
}

TEST_F(OutputCommandsTest, ExportWritesTheVariantOfItsItemToTheChosenFile) {
    const QByteArray font = "<font face=\"Courier New\" style=\"font-size: 10pt\">\r\n";
    const struct {
        const char* item;
        DialogAnswer answer;
        QByteArray expected;
    } cases[] = {
        {"mniHTMLExport", DialogAnswer::No, "<pre>a<b</pre>\r\n"},
        {"mniHTMLExport", DialogAnswer::Yes, "a&lt;b\r\n"},
        {"mniHTMLExport1", DialogAnswer::Yes, font + "a&lt;b\r\n</font>\r\n"},
        {"HTMLFilewithHeader1", DialogAnswer::No, font + "<pre>a<b</pre>\r\n</font>\r\n"},
    };
    SetPlainText("a<b");
    int number = 0;
    for (const auto& c : cases) {
        const QString path = PathOf(QString("export%1.html").arg(++number));
        EXPECT_EQ(Export(c.item, path, c.answer), c.expected) << c.item;
        EXPECT_EQ(dialogs.History().back().text, "Convert txt to html?");
    }
    EXPECT_EQ(CurrentText(), "a<b") << "exporting must not change the document";
}

TEST_F(OutputCommandsTest, ExportInCodeViewTakesTheCodeEditorsLinesInThePlainEditorsFont) {
    SetPlainText("x");
    window->SetViewMode(vmCode);
    window->CurrentDocument().CodeEditor->SetText("if a<b\r\nend");
    EXPECT_EQ(Export("mniHTMLExport1", PathOf("code.html"), DialogAnswer::No),
              "<font face=\"Courier New\" style=\"font-size: 10pt\">\r\n"
              "<pre>if a<b\r\nend\r\n</pre>\r\n</font>\r\n");
}

TEST_F(OutputCommandsTest, ColouredExportColoursCodeViewOnlyAndAsksNothingElse) {
    const struct {
        int mode;
        bool spans;
    } cases[] = {{vmCode, true}, {vmPlain, false}};
    SetPlainText("int main() { return a<b; }");
    window->CurrentDocument().FileName = PathOf("sample.cpp");
    ASSERT_TRUE(window->ChangeSyn(".cpp"));
    int number = 0;
    for (const auto& c : cases) {
        window->SetViewMode(c.mode);
        const QString path = PathOf(QString("coloured%1.html").arg(++number));
        dialogs.QueueFiles({path});
        const std::size_t asked = dialogs.History().size();
        Item("mniHTMLExportColours")->trigger();
        const QByteArray page = ReadFile(path);
        EXPECT_EQ(dialogs.History().size(), asked + 1) << "the save dialog alone";
        EXPECT_TRUE(page.startsWith("<!DOCTYPE html>")) << c.mode;
        EXPECT_TRUE(page.contains("<title>sample.cpp</title>")) << c.mode;
        EXPECT_TRUE(page.contains("return")) << c.mode;
        EXPECT_TRUE(page.contains("a&lt;b")) << c.mode;
        EXPECT_EQ(page.contains("<span class="), c.spans) << c.mode;
    }
}

TEST_F(OutputCommandsTest, CancelledExportWritesNothing) {
    SetPlainText("a");
    dialogs.QueueCancel();
    Item("mniHTMLExport")->trigger();
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    ASSERT_EQ(dialogs.History().size(), 1u) << "no question after a cancelled save dialog";
}

// The user picks "Print to file" in the print dialog; the preview draws into a file too.
class PrintToPdfDialogs : public ScriptedDialogs {
public:
    QString pdf;
    bool Print(QPrinter& printer) override {
        ToPdf(printer);
        return ScriptedDialogs::Print(printer);
    }
    void PrintPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) override {
        ToPdf(printer);
        ScriptedDialogs::PrintPreview(printer, paint);
    }

private:
    void ToPdf(QPrinter& printer) const {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    }
};

class OutputPrintTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        dialogs.pdf = folder.filePath("out.pdf");
        QFile file(document);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("first line\r\nsecond line\r\n");
        file.close();
        ShowAndStart(window);
        window.Files().OpenFile(document);
    }
    void TearDown() override { EXPECT_EQ(dialogs.Unanswered(), 0); }

    static QString Run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    // The PDF holds the document on one page, titled with its full path.
    void ExpectDocumentPrinted() const {
        const QString info = Run("pdfinfo", {dialogs.pdf});
        EXPECT_TRUE(info.contains(QRegularExpression(R"(Pages:\s+1\n)"))) << info;
        EXPECT_TRUE(info.contains(
            QRegularExpression(R"(Title:\s+)" + QRegularExpression::escape(document) + "\n")))
            << info;
        const QString text = Run("pdftotext", {"-layout", dialogs.pdf, "-"});
        EXPECT_TRUE(text.contains("first line")) << text;
        EXPECT_TRUE(text.contains("second line")) << text;
    }

    QTemporaryDir folder;
    QString document = folder.filePath("notes.txt");
    PrintToPdfDialogs dialogs;
    TForm1 window{dialogs};
};

TEST_F(OutputPrintTest, PrintGoesThroughTheDialogToTheChosenPrinter) {
    const struct {
        bool accept;
        bool printed;
    } cases[] = {{false, false}, {true, true}};
    for (const auto& c : cases) {
        QFile::remove(dialogs.pdf);
        dialogs.Queue(c.accept);
        window.findChild<QAction*>("Print1")->trigger();
        ASSERT_EQ(QFile::exists(dialogs.pdf), c.printed);
    }
    ExpectDocumentPrinted();
}

TEST_F(OutputPrintTest, PreviewDrawsThePagesPrintWould) {
    window.findChild<QAction*>("PrintPreview1")->trigger();
    ASSERT_EQ(dialogs.History().back().kind, ScriptedDialogs::Kind::PrintPreview);
    ExpectDocumentPrinted();
}

TEST_F(OutputPrintTest, PrintAndPreviewUsePageSetupsPaperAndMargins) {
    const struct {
        const char* name;
        std::optional<QPageLayout> chosen; // in Page Setup first; none: as it starts
        QPageSize paper;
        QMarginsF margins;
    } cases[] = {
        {"as Page Setup starts", std::nullopt, QPageSize(QPageSize::A4), {25, 25, 25, 25}},
        {"chosen in Page Setup",
         QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait, {12, 30, 18, 15},
                     QPageLayout::Millimeter),
         QPageSize(QPageSize::A5),
         {12, 30, 18, 15}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.chosen) {
            dialogs.Queue(*c.chosen);
            window.findChild<QAction*>("Pagesetup1")->trigger();
        }
        for (const char* command : {"Print1", "PrintPreview1"}) {
            QFile::remove(dialogs.pdf);
            if (QString(command) == "Print1")
                dialogs.Queue(true);
            window.findChild<QAction*>(command)->trigger();
            const QPageLayout& shown = dialogs.History().back().pageLayout;
            EXPECT_TRUE(shown.pageSize().isEquivalentTo(c.paper)) << command;
            EXPECT_EQ(shown.margins(QPageLayout::Millimeter), c.margins) << command;
            // The first word sits at the margins' corner of the sheet, in points.
            const QString words = Run("pdftotext", {"-bbox", dialogs.pdf, "-"});
            const QRegularExpressionMatch first =
                QRegularExpression(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)")re").match(words);
            ASSERT_TRUE(first.hasMatch()) << words.toStdString();
            EXPECT_NEAR(first.captured(1).toDouble(), c.margins.left() * 72 / 25.4, 3) << command;
            EXPECT_NEAR(first.captured(2).toDouble(), c.margins.top() * 72 / 25.4, 6) << command;
        }
    }
}

TEST_F(OutputPrintTest, PageSetupShowsItsDialog) {
    dialogs.Queue(false);
    window.findChild<QAction*>("Pagesetup1")->trigger();
    ASSERT_EQ(dialogs.History().size(), 1u);
    EXPECT_EQ(dialogs.History()[0].kind, ScriptedDialogs::Kind::PageSetup);
}

TEST_F(OutputCommandsTest, SpeakOnAnEmptyDocumentDoesNothing) {
    window->CurrentDocument().Modified = false;
    Item("mniSpeak")->trigger();
    EXPECT_TRUE(dialogs.History().empty());
    EXPECT_EQ(CurrentText(), "");
    EXPECT_FALSE(window->CurrentDocument().Modified);
}

} // namespace
