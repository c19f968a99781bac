// Each document's line breaks at the file boundary: the ones new documents get, the status
// bar's display of a document's, and File > "Line Endings", which gives every line of a document
// one of them. Inside the program every text has CR LF between its lines; only files differ.

#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/qt/StatusField.h"

#include <QLabel>
#include <QMenu>

std::span<const MenuItem> LineEndingsMenu() {
    constexpr auto Convert = Call<&TForm1::LineEndingsClick>;
    static const MenuItem rows[] = {
        {.name = "mniLineEndingsWindows",
         .caption = "Windows (CR LF)",
         .tag = static_cast<int>(TSynEditFileFormat::sffDos),
         .handler = Convert,
         .check = MenuCheck::Unchecked},
        {.name = "mniLineEndingsUnix",
         .caption = "Unix (LF)",
         .tag = static_cast<int>(TSynEditFileFormat::sffUnix),
         .handler = Convert,
         .check = MenuCheck::Unchecked},
        {.name = "mniLineEndingsMac",
         .caption = "Classic Mac (CR)",
         .tag = static_cast<int>(TSynEditFileFormat::sffMac),
         .handler = Convert,
         .check = MenuCheck::Unchecked},
    };
    return rows;
}

void TForm1::LineEndingsClick(int format) {
    // The editor's change signal marks the document modified.
    if (TSynEditWidget* editor = CurrentDocument().View().TextEditor())
        editor->Engine().ConvertLineBreaks(static_cast<TSynEditFileFormat>(format));
    ShowDocumentLineBreaks();
}

void TForm1::SetNewDocumentLineBreaks(const std::string& name) {
    newDocumentLineBreaks = FileFormatOfName(name).value_or(
        FileFormatOfBreak(PlatformLineBreak()).value_or(TSynEditFileFormat::sffDos));
    // The untouched first document of a start is as new as any.
    for (const auto& document : documents) {
        if (document->FileName.isEmpty() && !document->Modified &&
            document->PlainEditor->Text().empty())
            GiveNewDocumentLineBreaks(*document);
    }
}

void TForm1::GiveNewDocumentLineBreaks(TMyMemo& document) const {
    TSynLineBreaks breaks;
    breaks.format = newDocumentLineBreaks;
    document.PlainEditor->Lines().SetLineBreaks(breaks);
    document.CodeEditor->Lines().SetLineBreaks(breaks);
    document.RichViewBreaks = breaks;
    document.LooksBinary = false;
}

void TForm1::ShowDocumentLineBreaks() {
    const TMyMemo& document = CurrentDocument();
    const TSynEditWidget* editor = document.View().TextEditor();
    const TSynEditFileFormat format =
        editor ? editor->Lines().FileFormat() : document.RichViewBreaks.format;
    const bool mixed =
        editor ? editor->Lines().MixedLineBreaks() : !document.RichViewBreaks.marks.empty();
    SetStatusFieldText(*StatusBarLineBreaks,
                       mixed ? QString("Mixed") : QString::fromLatin1(FileFormatName(format)),
                       "Line breaks");
    SetStatusFieldText(*StatusBarBinary,
                       document.LooksBinary
                           ? QString("The file looks binary: saved unedited, it keeps its bytes")
                           : QString());
    for (QAction* item : mniLineEndings->actions())
        item->setChecked(!mixed && item->data().toInt() == static_cast<int>(format));
}
