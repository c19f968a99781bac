#pragma once
// Every modal question the program asks goes through this interface: the Qt implementation
// shows real dialogs, ScriptedDialogs answers from a queue in tests. No other code opens a modal
// dialog.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QDialog;
class QPrinter;
class QWidget;

enum class MessageKind { Plain, Warning, Error, Confirmation };
enum class MessageButtons { Ok, YesNo, YesNoCancel, RetryIgnore };
enum class DialogAnswer { Ok, Cancel, Yes, No, Retry, Ignore };

struct FileFilter {
    QString caption;
    QString patterns; // "*.htm;*.html"
};

// The state of a file dialog the program keeps between showings (filter index, folder, the name
// last shown), as the Windows common dialogs keep it in their component.
struct FileDialogRequest {
    QString caption;
    std::vector<FileFilter> filters;
    int filterIndex = 1; // 1-based, as the program's handlers count file types
    QString initialFolder;
    QString fileName;
    QString defaultExtension; // without the dot; empty: the name is used as typed
    bool multiSelect = false;
    bool overwritePrompt = false;
};

struct FileDialogResult {
    QStringList files; // the main file name first
    int filterIndex = 1;
};

struct FontChoice {
    QFont font;
    QColor color;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual DialogAnswer Message(MessageKind kind, const QString& caption, const QString& text,
                                 MessageButtons buttons) = 0;
    virtual std::optional<FileDialogResult> OpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogResult> SaveFile(const FileDialogRequest& request) = 0;
    // fixedPitchOnly lists monospaced faces only.
    virtual std::optional<FontChoice> ChooseFont(const FontChoice& current,
                                                 bool fixedPitchOnly) = 0;
    virtual std::optional<QColor> ChooseColor(const QColor& current) = 0;
    // True when the user confirmed; the printer holds the choices.
    virtual bool Print(QPrinter& printer) = 0;
    virtual bool PageSetup(QPrinter& printer) = 0;
    // Shows the pages paint draws on the printer (called again whenever the view needs them),
    // with the choice to print them from there.
    virtual void PrintPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) = 0;
    // Shows one of the program's own modal dialogs (the name and go-to-line dialogs); true
    // when it closed with OK.
    virtual bool Exec(QDialog& dialog) = 0;

    // The message boxes the program uses, with their buttons.
    bool AskYesNo(const QString& caption, const QString& question);
    void ShowError(const QString& caption, const QString& text);
    void ShowMessage(const QString& caption, const QString& text);
};

// The dialogs shown to a person, parented to the main window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent(parent) {}
    void SetParent(QWidget* widget) { parent = widget; }

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
    QWidget* parent;
};

// "Text Files (*.txt)|*.txt" filter strings for Qt: "Text Files (*.txt) (*.txt)"; the dialog
// shows them without the patterns Qt matches by, as FilterCaptionShown gives.
QString QtFilterString(const FileFilter& filter);
QString FilterCaptionShown(const QString& qtFilter);

// The font with the face and style the system actually draws it with, where it substitutes a
// missing face.
QFont DrawnFont(const QFont& font);
