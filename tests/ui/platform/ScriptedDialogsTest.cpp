#include "platform/qt/ScriptedDialogs.h"

#include <QDialog>
#include <QLineEdit>
#include <QPrinter>
#include <gtest/gtest.h>

TEST(ScriptedDialogs, RecordsMessagesAndAnswersInOrder) {
    ScriptedDialogs dialogs;
    dialogs.Queue(DialogAnswer::No);
    dialogs.Queue(DialogAnswer::Yes);

    EXPECT_EQ(dialogs.Message(MessageKind::Warning, "Tabrix Pro", "Save changes?",
                              MessageButtons::YesNoCancel),
              DialogAnswer::No);
    dialogs.ShowError("Tabrix Pro", "File x has not been saved");
    EXPECT_TRUE(dialogs.AskYesNo("Confirm", "Remove?"));

    const auto& history = dialogs.History();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[0].messageKind, MessageKind::Warning);
    EXPECT_EQ(history[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(history[0].text, "Save changes?");
    EXPECT_EQ(history[1].messageKind, MessageKind::Error);
    EXPECT_EQ(history[1].text, "File x has not been saved");
    EXPECT_EQ(history[2].caption, "Confirm");
    EXPECT_EQ(history[2].messageKind, MessageKind::Confirmation);
    EXPECT_EQ(dialogs.Unanswered(), 0);
    EXPECT_EQ(dialogs.Pending(), 0);
}

TEST(ScriptedDialogs, QuestionWithoutQueuedAnswerIsCancelledAndCounted) {
    ScriptedDialogs dialogs;
    EXPECT_EQ(dialogs.Message(MessageKind::Warning, "c", "t", MessageButtons::YesNoCancel),
              DialogAnswer::Cancel);
    FileDialogRequest request;
    EXPECT_FALSE(dialogs.OpenFile(request).has_value());
    EXPECT_EQ(dialogs.Unanswered(), 2);
}

TEST(ScriptedDialogs, FileDialogsReturnQueuedFilesAndRecordTheRequest) {
    ScriptedDialogs dialogs;
    dialogs.QueueFiles({"/tmp/a.txt", "/tmp/b.txt"}, 2);
    dialogs.QueueCancel();

    FileDialogRequest request;
    request.filters = {{"Text Files (*.txt)", "*.txt"}, {"All Files", "*.*"}};
    request.defaultExtension = "txt";
    const auto chosen = dialogs.OpenFile(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->files, QStringList({"/tmp/a.txt", "/tmp/b.txt"}));
    EXPECT_EQ(chosen->filterIndex, 2);
    EXPECT_FALSE(dialogs.SaveFile(request).has_value());

    ASSERT_EQ(dialogs.History().size(), 2u);
    EXPECT_EQ(dialogs.History()[0].kind, ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(dialogs.History()[1].kind, ScriptedDialogs::Kind::SaveFile);
    EXPECT_EQ(dialogs.History()[1].fileRequest.defaultExtension, "txt");
    EXPECT_EQ(dialogs.Unanswered(), 0);
}

TEST(ScriptedDialogs, AnswerOfTheWrongKindIsNotConsumed) {
    ScriptedDialogs dialogs;
    dialogs.Queue(true);
    EXPECT_EQ(dialogs.Message(MessageKind::Confirmation, "c", "t", MessageButtons::YesNo),
              DialogAnswer::Cancel);
    QPrinter printer;
    EXPECT_TRUE(dialogs.Print(printer));
    EXPECT_EQ(dialogs.Unanswered(), 1);
}

TEST(ScriptedDialogs, OwnDialogGetsTheTypedTextOnlyWhenAccepted) {
    ScriptedDialogs dialogs;
    QDialog dialog;
    dialog.setWindowTitle("Go to line number");
    auto* field = new QLineEdit("1", &dialog);
    dialogs.QueueText("42");
    dialogs.QueueText("99", false);

    EXPECT_TRUE(dialogs.Exec(dialog));
    EXPECT_EQ(field->text(), "42");
    EXPECT_FALSE(dialogs.Exec(dialog));
    EXPECT_EQ(field->text(), "42");

    ASSERT_EQ(dialogs.History().size(), 2u);
    EXPECT_EQ(dialogs.History()[0].caption, "Go to line number");
    EXPECT_EQ(dialogs.History()[0].text, "1");
    EXPECT_EQ(dialogs.History()[1].text, "42");
}
