#pragma once
// Dialogs for tests: answers come from a queue the test fills, and every question asked is
// recorded so tests can assert the exact texts shown.

#include "platform/qt/Dialogs.h"

#include <QPageLayout>
#include <QString>
#include <deque>
#include <variant>
#include <vector>

class ScriptedDialogs : public Dialogs {
public:
    enum class Kind {
        Message,
        OpenFile,
        SaveFile,
        Font,
        Color,
        Print,
        PageSetup,
        PrintPreview,
        Dialog
    };

    // The answer to one of the program's own dialogs: the text typed into its first edit
    // field, then OK (accept) or Cancel.
    struct TypedText {
        QString text;
        bool accept = true;
    };

    struct Shown {
        Kind kind;
        MessageKind messageKind = MessageKind::Plain;
        MessageButtons buttons = MessageButtons::Ok;
        QString caption;
        QString text;
        FileDialogRequest fileRequest; // for the file dialogs
        QPageLayout pageLayout{};      // for the print dialogs: the printer's page as shown
    };
    // For Kind::Dialog, caption is the dialog's title and text what its edit field showed.

    // An answer for the next question: a button, a file choice (nullopt = Cancel), a font, a
    // colour, true/false for the print and page setup dialogs, or the paper and margins chosen
    // in the page setup dialog before OK. The print preview needs no answer: it draws its pages
    // once on the printer and closes.
    using Answer =
        std::variant<DialogAnswer, std::optional<FileDialogResult>, std::optional<FontChoice>,
                     std::optional<QColor>, bool, TypedText, QPageLayout>;

    // Out of line: inlined into a test, GCC 12 warns falsely that the variant is uninitialised.
    void Queue(Answer answer);
    // Answers the next file dialog with these files (filter index 1 unless given).
    void QueueFiles(const QStringList& files, int filterIndex = 1);
    void QueueCancel() { answers.emplace_back(DialogAnswer::Cancel); }
    // Answers the next of the program's own dialogs: types text, then OK or Cancel.
    void QueueText(const QString& text, bool accept = true);

    const std::vector<Shown>& History() const { return shown; }
    // Questions asked when no answer of the right kind was queued; they got Cancel.
    int Unanswered() const { return unanswered; }
    int Pending() const { return static_cast<int>(answers.size()); }
    void ClearHistory() { shown.clear(); }

    DialogAnswer Message(MessageKind kind, const QString& caption, const QString& text,
                         MessageButtons buttons) override;
    std::optional<FileDialogResult> OpenFile(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> SaveFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> ChooseFont(const FontChoice& current, bool fixedPitchOnly) override;
    std::optional<QColor> ChooseColor(const QColor& current) override;
    bool Print(QPrinter& printer) override;
    bool PageSetup(QPrinter& printer) override;
    void PrintPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) override;
    bool Exec(QDialog& dialog) override;

private:
    template <typename T> std::optional<T> Next();
    std::optional<FileDialogResult> FileAnswer(Kind kind, const FileDialogRequest& request);

    std::deque<Answer> answers;
    std::vector<Shown> shown;
    int unanswered = 0;
};
