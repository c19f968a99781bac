#pragma once
// The window side of "HTML File with Colours": the save dialog, the page of the lines coloured
// as the given editor paints them (its font, colours and palette), and the message when the
// file cannot be made.

#include "codeedit/SynEditHighlighter.h"
#include "codeedit/SynEditTextBuffer.h"

#include <QString>
#include <string>

class Dialogs;
class TSynEditWidget;

struct ColouredHtmlSource {
    const TSynEditStringList& lines;
    const TSynEditWidget& lookFrom;     // font, colours, tab width and palette
    TSynCustomHighlighter* highlighter; // nothing: plain text
    QString title;
};

// The whole page.
std::string ColouredHtmlBytes(const ColouredHtmlSource& source);

// Asks for a file name, then writes the page there (replacing any file).
void ExportColouredHtml(Dialogs& dialogs, const ColouredHtmlSource& source);
