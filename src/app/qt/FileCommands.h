#pragma once
// Opening and saving in the window: the Open command and OpenFile, the four save commands and
// the routines under them, files dropped on the window, and what the file dialogs keep between
// uses. File access goes through the platform's FileSystem; the editors get bytes. Reaches the
// documents through the window's public commands.

#include "platform/EncodingDetection.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class Dialogs;
class QLabel;
class TForm1;
struct TMyMemo;

class TFileCommands : public QObject {
public:
    // progressField: the status bar's field that shows how far a load or a save has got.
    // Takes the files dropped on the window.
    TFileCommands(TForm1& window, QLabel& progressField);

    void mniOpenClick();
    void OpenFile(const QString& path);
    // OpenFile, but a path that names no file is not reported: its message is given back.
    std::optional<QString> OpenFileUnlessMissing(const QString& path);
    // An entry of the recent list: a project replaces the tabs, any other file opens; the Open
    // dialog starts in its folder next time.
    void OpenRecentFile(const QString& entry);
    void mniSaveClick();
    void mniSaveAsClick();
    void mniSaveAllClick();
    void Savenewversion1Click();
    // True when the file was written.
    // askAboutLoss: saving over the file the rich editor read asks first when reading it left
    // items out.
    bool SaveDocument(int position, bool askAboutLoss = true);
    // True when a name was chosen and the file was written.
    bool SaveDocumentAs(int position);
    // Reads the file into the document's plain editor in the encoding `choose` finds for its
    // bytes; the error's text when it cannot be read.
    std::optional<std::string>
    LoadPlainText(TMyMemo& document, const std::string& path,
                  const std::function<DocumentEncoding(std::string_view)>& choose);
    // Reads a rich-text file (RTF, else plain text) into the document's rich editor; the error's
    // text when it cannot be read.
    std::optional<std::string> LoadRichText(TMyMemo& document, const std::string& path);
    // The rich editor's extensions, compared exactly.
    static bool ChangeRich(const QString& extension);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm1& window;
    Dialogs& dialogs;
    QLabel& progressField;
    // The file dialogs keep what they last showed, as the common dialog components do.
    QString openDialogFolder;
    int openDialogFilterIndex = 1;
    QString saveDialogFileName;
    int saveDialogFilterIndex = 1;
    QString saveDialogDefaultExtension;
};
