#include "output/qt/HtmlExportCommands.h"

#include "platform/qt/ScriptedDialogs.h"
#include "support/TemporaryFolderTest.h"
#include "ui/support/QtPrinters.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const std::string CourierItem = "<font face=\"Courier New\" style=\"font-size: 10pt\">\r\n";

class HtmlExportCommandsTest : public TemporaryFolderTest {
protected:
    QFont font{"Courier New", 10};
    ScriptedDialogs dialogs;
};

TEST_F(HtmlExportCommandsTest, SaveDialogThenQuestionThenTheFile) {
    const struct {
        HtmlVariant variant;
        DialogAnswer answer;
        std::string expected;
    } cases[] = {
        {HtmlVariant::WithoutStyle, DialogAnswer::No, "<pre>a<b</pre>\r\n"},
        {HtmlVariant::WithoutStyle, DialogAnswer::Yes, "a&lt;b\r\n"},
        {HtmlVariant::WithStyle, DialogAnswer::Yes, CourierItem + "a&lt;b\r\n</font>\r\n"},
        {HtmlVariant::WithHeader, DialogAnswer::No, CourierItem + "<pre>a<b</pre>\r\n</font>\r\n"},
    };
    for (const auto& c : cases) {
        const std::string path = root + "export.html";
        dialogs.ClearHistory();
        dialogs.QueueFiles({QString::fromStdString(path)});
        dialogs.Queue(c.answer);
        ExportHtml(dialogs, "a<b", ProgramEncoding(), font, c.variant);
        EXPECT_EQ(Read(path), c.expected);
        ASSERT_EQ(dialogs.History().size(), 2u);
        const FileDialogRequest& request = dialogs.History()[0].fileRequest;
        EXPECT_EQ(dialogs.History()[0].kind, ScriptedDialogs::Kind::SaveFile);
        ASSERT_EQ(request.filters.size(), 2u);
        EXPECT_EQ(request.filters[0].caption, "HTML Files (*.htm, *.html)");
        EXPECT_EQ(request.filters[0].patterns, "*.htm;*.html");
        EXPECT_EQ(request.filters[1].caption, "All Files");
        EXPECT_EQ(request.filters[1].patterns, "*.*");
        EXPECT_EQ(request.defaultExtension, "txt");
        EXPECT_TRUE(request.overwritePrompt);
        const ScriptedDialogs::Shown& question = dialogs.History()[1];
        EXPECT_EQ(question.messageKind, MessageKind::Confirmation);
        EXPECT_EQ(question.buttons, MessageButtons::YesNo);
        EXPECT_EQ(question.caption, "Confirm");
        EXPECT_EQ(question.text, "Convert txt to html?");
    }
    EXPECT_EQ(dialogs.Unanswered(), 0);
}

TEST_F(HtmlExportCommandsTest, CancelInTheSaveDialogDoesNothing) {
    dialogs.QueueCancel();
    ExportHtml(dialogs, "text", ProgramEncoding(), font, HtmlVariant::WithStyle);
    EXPECT_EQ(dialogs.History().size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(root));
}

TEST_F(HtmlExportCommandsTest, FontNameAndSizeComeFromThePlainEditorsFont) {
    const std::string path = root + "f.htm";
    dialogs.QueueFiles({QString::fromStdString(path)});
    dialogs.Queue(DialogAnswer::Yes);
    ExportHtml(dialogs, "", ProgramEncoding(), QFont("Liberation Serif", 14),
               HtmlVariant::WithStyle);
    EXPECT_EQ(Read(path),
              "<font face=\"Liberation Serif\" style=\"font-size: 14pt\">\r\n\r\n</font>\r\n");
}

TEST_F(HtmlExportCommandsTest, UnwritablePathShowsTheFileCreationMessage) {
    // A folder that is not there: "&" and non-ASCII letters reach the message unchanged.
    const QString path =
        QFile::decodeName(QByteArray::fromStdString(root + "r\xc3\xa9"
                                                           "sum\xc3\xa9 & co/x.html"));
    dialogs.QueueFiles({path});
    dialogs.Queue(DialogAnswer::Yes);
    ExportHtml(dialogs, "text", ProgramEncoding(), font, HtmlVariant::WithoutStyle);
    ASSERT_EQ(dialogs.History().size(), 3u);
    EXPECT_EQ(dialogs.History()[2].messageKind, MessageKind::Error);
    EXPECT_EQ(dialogs.History()[2].caption, "Tabrix Pro");
    EXPECT_EQ(dialogs.History()[2].text,
              "Cannot create file \"" + path + "\". No such file or directory");
}

TEST_F(HtmlExportCommandsTest, PreviewAsksTheSameQuestionAndAlwaysUsesTheFontElement) {
    for (const DialogAnswer answer : {DialogAnswer::Yes, DialogAnswer::No}) {
        dialogs.ClearHistory();
        dialogs.Queue(answer);
        const std::optional<QString> path =
            WritePreviewFile(dialogs, "a b", ProgramEncoding(), font);
        ASSERT_TRUE(path);
        EXPECT_TRUE(path->endsWith(".html"));
        EXPECT_TRUE(path->startsWith(QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR")))) << *path;
        ASSERT_EQ(dialogs.History().size(), 1u);
        EXPECT_EQ(dialogs.History()[0].text, "Convert txt to html?");
        EXPECT_EQ(Read(QFile::encodeName(*path).toStdString()),
                  CourierItem + (answer == DialogAnswer::Yes ? "a&nbsp;b" : "<pre>a b</pre>") +
                      "\r\n</font>\r\n");
    }
}

} // namespace
