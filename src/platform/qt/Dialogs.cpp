#include "platform/qt/Dialogs.h"

#include "platform/qt/NameOnlyIconProvider.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>

bool Dialogs::AskYesNo(const QString& caption, const QString& question) {
    return Message(MessageKind::Confirmation, caption, question, MessageButtons::YesNo) ==
           DialogAnswer::Yes;
}

void Dialogs::ShowError(const QString& caption, const QString& text) {
    Message(MessageKind::Error, caption, text, MessageButtons::Ok);
}

void Dialogs::ShowMessage(const QString& caption, const QString& text) {
    Message(MessageKind::Plain, caption, text, MessageButtons::Ok);
}

QString QtFilterString(const FileFilter& filter) {
    QString patterns = filter.patterns;
    patterns.replace(';', ' ');
    // "*.*" means every file on Windows; on Linux "*" does.
    if (patterns == "*.*")
        patterns = "*";
    return filter.caption + " (" + patterns + ")";
}

QString FilterCaptionShown(const QString& qtFilter) {
    // Qt hides the last parenthesised part of a filter, the patterns it matches by.
    static const QRegularExpression patternsAtEnd(R"(^(.*)\([^()]*\)$)");
    const QRegularExpressionMatch match = patternsAtEnd.match(qtFilter);
    return (match.hasMatch() ? match.captured(1) : qtFilter).simplified();
}

QFont DrawnFont(const QFont& font) {
    const QFontInfo info(font);
    QFont drawn = font;
    drawn.setFamily(info.family());
    // The face's own name for the style drawn ("Book"): by weight and slant alone a dialog may
    // pick another face of the family, such as "Oblique".
    drawn.setStyleName(info.styleName());
    return drawn;
}

namespace {

bool LooksAlike(const QFont& a, const QFont& b) {
    const QFontInfo x(a), y(b);
    return x.family() == y.family() && x.styleName() == y.styleName() &&
           x.pointSizeF() == y.pointSizeF() && a.underline() == b.underline() &&
           a.strikeOut() == b.strikeOut();
}

} // namespace

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    case MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryIgnore:
        return QMessageBox::Retry | QMessageBox::Ignore;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

DialogAnswer AnswerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return DialogAnswer::Yes;
    case QMessageBox::No:
        return DialogAnswer::No;
    case QMessageBox::Retry:
        return DialogAnswer::Retry;
    case QMessageBox::Ignore:
        return DialogAnswer::Ignore;
    case QMessageBox::Ok:
        return DialogAnswer::Ok;
    default:
        return DialogAnswer::Cancel;
    }
}

// One file dialog, configured from the request, for both open and save.
std::optional<FileDialogResult> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                              QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.caption);
    // Qt's own dialog, so that nothing in it reads the files it lists.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    NameOnlyIconProvider icons;
    dialog.setIconProvider(&icons);
    // The captions already name their patterns; Qt would add them a second time.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (mode == QFileDialog::AcceptOpen)
        dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles
                                               : QFileDialog::ExistingFile);
    QStringList filters;
    for (const FileFilter& filter : request.filters)
        filters << QtFilterString(filter);
    dialog.setNameFilters(filters);
    const int index = request.filterIndex - 1;
    if (index >= 0 && index < filters.size())
        dialog.selectNameFilter(filters[index]);
    dialog.setDefaultSuffix(request.defaultExtension);

    QString folder = request.initialFolder;
    if (!request.fileName.isEmpty()) {
        const QFileInfo info(request.fileName);
        if (info.isAbsolute())
            folder = info.absolutePath();
        dialog.selectFile(info.fileName());
    }
    if (!folder.isEmpty())
        dialog.setDirectory(folder);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosenFilter = dialog.selectedNameFilter();
    int chosenIndex = 0;
    while (chosenIndex < filters.size() && filters[chosenIndex] != chosenFilter &&
           FilterCaptionShown(filters[chosenIndex]) != chosenFilter)
        ++chosenIndex;
    return FileDialogResult{dialog.selectedFiles(),
                            chosenIndex < filters.size() ? chosenIndex + 1 : request.filterIndex};
}

} // namespace

DialogAnswer QtDialogs::Message(MessageKind kind, const QString& caption, const QString& text,
                                MessageButtons buttons) {
    QMessageBox box(IconOf(kind), caption, text, ButtonsOf(buttons), parent);
    return AnswerOf(box.exec());
}

std::optional<FileDialogResult> QtDialogs::OpenFile(const FileDialogRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<FileDialogResult> QtDialogs::SaveFile(const FileDialogRequest& request) {
    return RunFileDialog(parent, request, QFileDialog::AcceptSave);
}

std::optional<FontChoice> QtDialogs::ChooseFont(const FontChoice& current, bool fixedPitchOnly) {
    QFontDialog dialog(parent);
    // The dialog filters its list of faces when it is given a font, not when the option is set.
    dialog.setOption(QFontDialog::MonospacedFonts, fixedPitchOnly);
    // The dialog lists the faces that exist: it opens on the face the editors are drawn with.
    const QFont shown = DrawnFont(current.font);
    dialog.setCurrentFont(shown);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // Qt's font dialog has no colour choice; the colour stays as it was.
    QFont chosen = dialog.selectedFont();
    // OK on what was shown keeps the font as it was, with the face name the user gave it.
    if (LooksAlike(chosen, shown))
        return FontChoice{current.font, current.color};
    // The editors and the settings files know a style by its bold and italic flags only; a face
    // name kept beside them would outweigh them when a style file clears them.
    chosen.setStyleName(QString());
    return FontChoice{chosen, current.color};
}

std::optional<QColor> QtDialogs::ChooseColor(const QColor& current) {
    const QColor chosen = QColorDialog::getColor(current, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

bool QtDialogs::Print(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    // The desktop's dialog offers a page range even when asked not to (a print server would
    // apply it): ask for it, so that the range reaches the printing, which honours it.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::PageSetup(QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::PrintPreview(QPrinter& printer, const std::function<void(QPrinter&)>& paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* pages) { paint(*pages); });
    dialog.exec();
}

bool QtDialogs::Exec(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}
