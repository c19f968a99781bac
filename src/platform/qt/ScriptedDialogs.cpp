#include "platform/qt/ScriptedDialogs.h"

#include <QDialog>
#include <QLineEdit>
#include <QPrinter>

template <typename T> std::optional<T> ScriptedDialogs::Next() {
    if (answers.empty() || !std::holds_alternative<T>(answers.front())) {
        ++unanswered;
        return std::nullopt;
    }
    T answer = std::get<T>(answers.front());
    answers.pop_front();
    return answer;
}

void ScriptedDialogs::Queue(Answer answer) {
    answers.push_back(std::move(answer));
}

void ScriptedDialogs::QueueFiles(const QStringList& files, int filterIndex) {
    answers.emplace_back(std::optional<FileDialogResult>(FileDialogResult{files, filterIndex}));
}

void ScriptedDialogs::QueueText(const QString& text, bool accept) {
    answers.emplace_back(TypedText{text, accept});
}

DialogAnswer ScriptedDialogs::Message(MessageKind kind, const QString& caption, const QString& text,
                                      MessageButtons buttons) {
    shown.push_back({Kind::Message, kind, buttons, caption, text, {}});
    if (buttons == MessageButtons::Ok) {
        // A box with only OK needs no scripted answer, but takes a queued Ok.
        const auto* button =
            answers.empty() ? nullptr : std::get_if<DialogAnswer>(&answers.front());
        if (button && *button == DialogAnswer::Ok)
            answers.pop_front();
        return DialogAnswer::Ok;
    }
    return Next<DialogAnswer>().value_or(DialogAnswer::Cancel);
}

std::optional<FileDialogResult> ScriptedDialogs::FileAnswer(Kind kind,
                                                            const FileDialogRequest& request) {
    shown.push_back({kind, MessageKind::Plain, MessageButtons::Ok, request.caption, {}, request});
    const auto* button = answers.empty() ? nullptr : std::get_if<DialogAnswer>(&answers.front());
    if (button && *button == DialogAnswer::Cancel) {
        answers.pop_front();
        return std::nullopt;
    }
    return Next<std::optional<FileDialogResult>>().value_or(std::nullopt);
}

std::optional<FileDialogResult> ScriptedDialogs::OpenFile(const FileDialogRequest& request) {
    return FileAnswer(Kind::OpenFile, request);
}

std::optional<FileDialogResult> ScriptedDialogs::SaveFile(const FileDialogRequest& request) {
    return FileAnswer(Kind::SaveFile, request);
}

std::optional<FontChoice> ScriptedDialogs::ChooseFont(const FontChoice&, bool fixedPitchOnly) {
    shown.push_back({Kind::Font,
                     MessageKind::Plain,
                     MessageButtons::Ok,
                     {},
                     fixedPitchOnly ? "fixed pitch" : "all fonts",
                     {}});
    return Next<std::optional<FontChoice>>().value_or(std::nullopt);
}

std::optional<QColor> ScriptedDialogs::ChooseColor(const QColor& current) {
    shown.push_back({Kind::Color, MessageKind::Plain, MessageButtons::Ok, {}, current.name(), {}});
    return Next<std::optional<QColor>>().value_or(std::nullopt);
}

bool ScriptedDialogs::Print(QPrinter& printer) {
    shown.push_back(
        {Kind::Print, MessageKind::Plain, MessageButtons::Ok, {}, {}, {}, printer.pageLayout()});
    return Next<bool>().value_or(false);
}

bool ScriptedDialogs::PageSetup(QPrinter& printer) {
    shown.push_back({Kind::PageSetup,
                     MessageKind::Plain,
                     MessageButtons::Ok,
                     {},
                     {},
                     {},
                     printer.pageLayout()});
    if (const auto* chosen =
            answers.empty() ? nullptr : std::get_if<QPageLayout>(&answers.front())) {
        printer.setPageLayout(*chosen);
        answers.pop_front();
        return true;
    }
    return Next<bool>().value_or(false);
}

void ScriptedDialogs::PrintPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) {
    shown.push_back({Kind::PrintPreview,
                     MessageKind::Plain,
                     MessageButtons::Ok,
                     {},
                     {},
                     {},
                     printer.pageLayout()});
    paint(printer);
}

bool ScriptedDialogs::Exec(QDialog& dialog) {
    auto* field = dialog.findChild<QLineEdit*>();
    shown.push_back({Kind::Dialog,
                     MessageKind::Plain,
                     MessageButtons::Ok,
                     dialog.windowTitle(),
                     field ? field->text() : QString(),
                     {}});
    const std::optional<TypedText> answer = Next<TypedText>();
    if (!answer || !answer->accept)
        return false;
    if (field)
        field->setText(answer->text);
    return true;
}
