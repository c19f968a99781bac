#pragma once
// Between our RichDocument and QTextDocument, for the formatting both know: font face, size and
// style, text and background colours, paragraph alignment, tabs and line breaks. What else a
// QTextDocument may hold (images, tables, lists, pasted HTML styles) is left out on the way back.

#include "richedit/RichDocument.h"

class QTextDocument;

// Replaces the content of target; a run without a font name takes target's default font.
void ToTextDocument(const RichDocument& document, QTextDocument& target);

// Every run gets its font face and size spelled out, the default font's where the text has
// none of its own, so the document reads back the same wherever it is opened.
RichDocument FromTextDocument(const QTextDocument& source);
