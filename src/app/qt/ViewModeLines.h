#pragma once
// A document's lines on their way between the editors of two view modes. The plain and the
// rich editor count the empty line after a final line break as a line, as an edit control's
// text does; a line list does not, and the code editor writes a break after its last line when
// its text had one. Dropping the empty line on the way into code view and adding it on the way
// out keeps the text and its bytes on disk the same across a round trip.

#include "app/qt/Document.h"
#include "platform/Progress.h"

class Encoding;
class TRxRichEdit;
class TSynEditStringList;
struct TSynLineBreaks;

// Between the plain and the code editor the lines are shared, not copied; so are their breaks.
void CopyLines(const TSynEditStringList& source, TSynEditStringList& target, int toMode);

// The lines go into the rich editor a piece at a time: a big text shows its progress between
// pieces and is never held as one string of characters.
void FillRichEditor(TRxRichEdit& editor, const TSynEditStringList& lines, const Encoding& encoding,
                    int fromMode, const ProgressHook& progress);

// The rich editor's lines into target, taking the breaks they had before they went into the
// rich editor, by their place.
void FromRichEditor(const TRxRichEdit& editor, const Encoding& encoding, TSynEditStringList& target,
                    int toMode, const ProgressHook& progress, const TSynLineBreaks& breaks);
