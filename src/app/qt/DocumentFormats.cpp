// Each document's encoding and line breaks in the window.

#include "app/qt/DocumentFormats.h"

#include "app/DocumentText.h"
#include "app/qt/DiskChanges.h"
#include "app/qt/FileCommands.h"
#include "app/qt/FileEncodings.h"
#include "app/qt/MainWindow.h"
#include "app/qt/MainWindowMenus.h"
#include "app/qt/StatusBarProgress.h"
#include "codeedit/qt/Memo.h"
#include "codeedit/qt/SynEdit.h"
#include "platform/EncodingDetection.h"
#include "platform/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/LineBreak.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/EncodingQt.h"
#include "platform/qt/PathNames.h"
#include "platform/qt/StatusField.h"
#include "richedit/qt/RichEdit.h"

#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <functional>
#include <string>
#include <vector>

namespace {

TSynEditFileFormat PlatformFileFormat() {
    return FileFormatOfBreak(PlatformLineBreak()).value_or(TSynEditFileFormat::sffDos);
}

const char* ScriptOf(int codePage) {
    switch (codePage) {
    case 1250:
        return "Central European";
    case 1251:
        return "Cyrillic";
    case 1252:
    case 28591:
        return "Western";
    case 1253:
        return "Greek";
    case 1254:
        return "Turkish";
    case 1255:
        return "Hebrew";
    case 1256:
        return "Arabic";
    case 1257:
        return "Baltic";
    case 1258:
        return "Vietnamese";
    default:
        return nullptr;
    }
}

// The encodings of one menu, UTF-8 first, then the byte-order marks (when offered), then the
// code pages.
std::vector<DocumentEncoding> MenuEncodings(bool withMarks) {
    std::vector<DocumentEncoding> encodings = {
        DocumentEncoding::Plain(*Encoding::ForCodePage(Encoding::Utf8CodePage))};
    if (withMarks) {
        for (const char* name : {"utf-8-bom", "utf-16le", "utf-16be"})
            encodings.push_back(*DocumentEncoding::FromName(name));
    }
    for (const int codePage : Encoding::SupportedCodePages()) {
        if (codePage != Encoding::Utf8CodePage)
            encodings.push_back(DocumentEncoding::Plain(*Encoding::ForCodePage(codePage)));
    }
    return encodings;
}

const std::vector<DocumentEncoding>& ReopenEncodings() {
    static const std::vector<DocumentEncoding> encodings = MenuEncodings(false);
    return encodings;
}

// Saving can also give a file a byte-order mark, or take it away.
const std::vector<DocumentEncoding>& SaveEncodings() {
    static const std::vector<DocumentEncoding> encodings = MenuEncodings(true);
    return encodings;
}

// One item per encoding, tagged with its position in the list.
template <MenuHandler handler>
std::span<const MenuItem> EncodingItems(const std::vector<DocumentEncoding>& encodings) {
    static const std::vector<std::string> captions = [&] {
        std::vector<std::string> all;
        for (const DocumentEncoding& encoding : encodings) {
            std::string caption = encoding.Caption();
            if (const char* script = ScriptOf(encoding.encoding->CodePage()))
                caption += std::string(" (") + script + ")";
            all.push_back(std::move(caption));
        }
        return all;
    }();
    static const std::vector<MenuItem> rows = [] {
        std::vector<MenuItem> items;
        for (std::size_t i = 0; i < captions.size(); ++i)
            items.push_back({.caption = captions[i].c_str(),
                             .tag = int(i),
                             .handler = handler,
                             .check = MenuCheck::Unchecked});
        return items;
    }();
    return rows;
}

// Checks the item of the encoding `matches` finds, and no other.
void MarkEncoding(QMenu& menu, const std::vector<DocumentEncoding>& encodings,
                  const std::function<bool(const DocumentEncoding&)>& matches) {
    for (QAction* item : menu.actions()) {
        const std::size_t position = std::size_t(item->data().toInt());
        item->setChecked(position < encodings.size() && matches(encodings[position]));
    }
}

// Where the user is in an editor, counted in characters, which the same text in another
// encoding has at the same places.
struct CharacterView {
    LineIndex anchorLine;
    CharColumn anchorColumn;
    LineIndex caretLine;
    CharColumn caretColumn;
    LineIndex topLine;
    int horizontalScroll;
};

CharacterView ViewOf(const TSynEditWidget& editor) {
    const TSynEditEngine& engine = editor.Engine();
    return {engine.Anchor().line, engine.CharColumnOf(engine.Anchor()),
            engine.Caret().line,  engine.CharColumnOf(engine.Caret()),
            editor.TopLine(),     editor.horizontalScrollBar()->value()};
}

void ReturnTo(const CharacterView& view, TSynEditWidget& editor) {
    TSynEditEngine& engine = editor.Engine();
    engine.SetSelection({view.anchorLine, engine.ColumnAtChar(view.anchorLine, view.anchorColumn)},
                        {view.caretLine, engine.ColumnAtChar(view.caretLine, view.caretColumn)});
    editor.SetTopLine(view.topLine);
    editor.horizontalScrollBar()->setValue(view.horizontalScroll);
}

} // namespace

std::span<const MenuItem> ReopenWithEncodingMenu() {
    return EncodingItems<CallOn<&TForm1::Formats, &TDocumentFormats::ReopenWithEncodingClick>>(
        ReopenEncodings());
}

std::span<const MenuItem> SaveWithEncodingMenu() {
    return EncodingItems<CallOn<&TForm1::Formats, &TDocumentFormats::SaveWithEncodingClick>>(
        SaveEncodings());
}

std::span<const MenuItem> LineEndingsMenu() {
    constexpr auto Convert = CallOn<&TForm1::Formats, &TDocumentFormats::LineEndingsClick>;
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

TDocumentFormats::TDocumentFormats(TForm1& window, const TFormatWidgets& widgets)
    : window(window), dialogs(window.Questions()), widgets(widgets),
      newDocumentLineBreaks(PlatformFileFormat()) {
    for (QMenu* encodings : {&widgets.reopenWithEncoding, &widgets.saveWithEncoding})
        QObject::connect(encodings, &QMenu::aboutToShow, encodings,
                         [this] { MarkDocumentEncoding(); });
}

void TDocumentFormats::MarkDocumentEncoding() {
    const DocumentEncoding& current = window.CurrentDocument().FileEncoding;
    // Reopening in UTF-8 keeps a file's byte-order mark: UTF-8 is what a marked file is read in.
    MarkEncoding(
        widgets.reopenWithEncoding, ReopenEncodings(),
        [&](const DocumentEncoding& encoding) { return encoding.encoding == current.encoding; });
    MarkEncoding(widgets.saveWithEncoding, SaveEncodings(),
                 [&](const DocumentEncoding& encoding) { return encoding == current; });
}

void TDocumentFormats::SetDocumentEncoding(TMyMemo& document, const DocumentEncoding& encoding) {
    document.FileEncoding = encoding;
    for (const int mode : {vmPlain, vmCode, vmRich})
        document.ViewOf(mode).SetTextEncoding(*encoding.encoding);
    if (&document == &window.CurrentDocument())
        ShowDocumentEncoding();
}

void TDocumentFormats::ShowDocumentEncoding() {
    SetStatusFieldText(widgets.encodingField,
                       QString::fromStdString(window.CurrentDocument().FileEncoding.Caption()),
                       "Encoding");
}

void TDocumentFormats::ReopenWithEncodingClick(int choice) {
    TMyMemo& document = window.CurrentDocument();
    if (choice < 0 || choice >= int(ReopenEncodings().size()) || document.ViewMode == vmRich)
        return;
    const Encoding* chosen = ReopenEncodings()[std::size_t(choice)].encoding;
    if (document.FileName.isEmpty()) {
        dialogs.ShowMessage("Tabrix Pro", "The document has no file to reopen.");
        return;
    }
    if (document.Modified &&
        !dialogs.AskYesNo("Confirm", "File " + ShownPath(document.FileName) +
                                         " has been modified.  Reopen it and lose the changes?"))
        return;
    const std::string path = LocalPath(document.FileName);
    const std::optional<FileStamp> stamp = StampOfFile(path);
    if (const std::optional<std::string> error =
            window.Files().LoadPlainText(document, path, [&](std::string_view bytes) {
                return EncodingOfChoice(bytes, *chosen);
            })) {
        dialogs.ShowError("Tabrix Pro", QString::fromStdString(*error));
        return;
    }
    // The text went in as OpenFile puts it: into the plain editor, and from there to code view.
    const int mode = document.ViewMode;
    document.ViewMode = vmPlain;
    document.UndoSnapshot.clear();
    if (mode != vmPlain)
        window.SetViewMode(mode);
    document.Modified = false;
    RememberDocumentEncoding(document);
    window.DiskChanges().RememberDiskFile(document, stamp);
    window.RefreshCurrentTab();
}

void TDocumentFormats::SaveWithEncodingClick(int choice) {
    TMyMemo& document = window.CurrentDocument();
    TSynEditWidget* editor = document.View().TextEditor();
    if (choice < 0 || choice >= int(SaveEncodings().size()) || !editor)
        return;
    const DocumentEncoding old = document.FileEncoding;
    const DocumentEncoding chosen = SaveEncodings()[std::size_t(choice)];
    const Encoding* target = chosen.encoding;
    if (chosen != old) {
        EncodedText text = ConvertText(editor->Engine().Text(), *old.encoding, *target);
        if (!AcceptLostCharacters(dialogs, document, text.unencodable, chosen, "Convert anyway?"))
            return;
        document.UndoSnapshot = ConvertText(document.UndoSnapshot, *old.encoding, *target).bytes;
        const CharacterView view = ViewOf(*editor);
        SetDocumentEncoding(document, chosen);
        if (old.encoding != target) {
            // The same lines in other bytes: each keeps its break.
            const TSynLineBreaks breaks = editor->Lines().LineBreaks();
            editor->Engine().SetText(text.bytes);
            editor->Lines().SetLineBreaks(breaks);
            ReturnTo(view, *editor);
        }
        document.Modified = true;
    }
    window.Files().SaveDocument(window.CurrentIndex());
    window.RefreshCurrentTab();
}

void TDocumentFormats::LineEndingsClick(int format) {
    // The editor's change signal marks the document modified.
    if (TSynEditWidget* editor = window.CurrentDocument().View().TextEditor())
        editor->Engine().ConvertLineBreaks(static_cast<TSynEditFileFormat>(format));
    ShowDocumentLineBreaks();
}

void TDocumentFormats::SetNewDocumentLineBreaks(const std::string& name) {
    newDocumentLineBreaks = FileFormatOfName(name).value_or(PlatformFileFormat());
    // The untouched first document of a start is as new as any.
    for (int position = 0; position < window.DocumentCount(); ++position) {
        TMyMemo& document = window.DocumentAt(position);
        if (document.FileName.isEmpty() && !document.Modified &&
            document.PlainEditor->Text().empty())
            GiveNewDocumentLineBreaks(document);
    }
}

void TDocumentFormats::GiveNewDocumentLineBreaks(TMyMemo& document) const {
    TSynLineBreaks breaks;
    breaks.format = newDocumentLineBreaks;
    document.PlainEditor->Lines().SetLineBreaks(breaks);
    document.CodeEditor->Lines().SetLineBreaks(breaks);
    document.RichViewBreaks = breaks;
    document.LooksBinary = false;
}

void TDocumentFormats::ShowDocumentLineBreaks() {
    const TMyMemo& document = window.CurrentDocument();
    const TSynEditWidget* editor = document.View().TextEditor();
    const TSynEditFileFormat format =
        editor ? editor->Lines().FileFormat() : document.RichViewBreaks.format;
    const bool mixed =
        editor ? editor->Lines().MixedLineBreaks() : !document.RichViewBreaks.marks.empty();
    SetStatusFieldText(widgets.lineBreaksField,
                       mixed ? QString("Mixed") : QString::fromLatin1(FileFormatName(format)),
                       "Line breaks");
    SetStatusFieldText(widgets.binaryField,
                       document.LooksBinary
                           ? QString("The file looks binary: saved unedited, it keeps its bytes")
                           : QString());
    for (QAction* item : widgets.lineEndings.actions())
        item->setChecked(!mixed && item->data().toInt() == static_cast<int>(format));
}
