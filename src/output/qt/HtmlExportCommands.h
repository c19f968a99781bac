#pragma once
// The window side of File > Export and Preview in Browser: the save dialog, the question
// whether to convert, the message when the file cannot be made. The window passes the text of
// the current document's active editor, its encoding and the font of its plain editor.

#include "output/HtmlExport.h"
#include "platform/Encoding.h"

#include <QFont>
#include <QString>
#include <optional>
#include <string_view>

class Dialogs;

// "HTML File w/o Style", "with Style", "with Header": asks for a file name, then writes it.
void ExportHtml(Dialogs& dialogs, std::string_view text, const Encoding& encoding,
                const QFont& plainFont, HtmlVariant variant);

// Writes the preview file with the font element after the same question; its path, or nothing
// when it could not be written (the user has been told why).
std::optional<QString> WritePreviewFile(Dialogs& dialogs, std::string_view text,
                                        const Encoding& encoding, const QFont& plainFont);

// "Preview in Browser": WritePreviewFile, then the desktop's browser opens it; a desktop
// without one is reported.
void PreviewInBrowser(Dialogs& dialogs, std::string_view text, const Encoding& encoding,
                      const QFont& plainFont);
