// A document's lines between the editors of two view modes.

#include "app/qt/ViewModeLines.h"

#include "codeedit/SynEditTextBuffer.h"
#include "platform/qt/EncodingQt.h"
#include "richedit/qt/RichEdit.h"

#include <string>
#include <vector>

namespace {

bool EndsWithEmptyLine(const TSynEditStringList& lines) {
    return lines.Count() > 0 && lines.Get(LineIndex(lines.Count() - 1)).empty();
}

// Into code view: the empty last line becomes the break after the last line.
void DropFinalEmptyLine(TSynEditStringList& lines) {
    const bool finalBreak = EndsWithEmptyLine(lines);
    if (finalBreak)
        lines.Delete(LineIndex(lines.Count() - 1));
    lines.SetBreakAfterLast(finalBreak);
}

} // namespace

void CopyLines(const TSynEditStringList& source, TSynEditStringList& target, int toMode) {
    target.BeginUpdate();
    target.Assign(source);
    if (toMode == vmCode)
        DropFinalEmptyLine(target);
    else if (toMode == vmPlain && source.BreakAfterLast())
        target.Add("");
    target.EndUpdate();
}

void FillRichEditor(TRxRichEdit& editor, const TSynEditStringList& lines, const Encoding& encoding,
                    int fromMode, const ProgressHook& progress) {
    const int count = lines.Count();
    // The code editor's break after its last line shows as an empty line in the rich editor.
    const bool finalBreak = fromMode == vmCode && count > 0 && lines.BreakAfterLast();
    ProgressReporter reporter(progress, lines.LineStartOffset(LineIndex(count), 1).Value());
    LineIndex next(0);
    std::string bytes;
    editor.SetUnformattedText([&](QString& piece) {
        if (next.Value() == count)
            return false;
        bytes.clear();
        while (next.Value() < count && bytes.size() < TRxRichEdit::kPieceBytes) {
            if (next > LineIndex(0))
                bytes += '\n';
            bytes += lines.Get(next);
            ++next;
        }
        if (next.Value() == count && finalBreak)
            bytes += '\n';
        piece = ToQString(bytes, encoding);
        reporter.Add(bytes.size());
        return true;
    });
}

void FromRichEditor(const TRxRichEdit& editor, const Encoding& encoding, TSynEditStringList& target,
                    int toMode, const ProgressHook& progress, const TSynLineBreaks& breaks) {
    std::vector<std::string> lines;
    editor.ForEachLine([&](const QString& line) { lines.push_back(FromQString(line, encoding)); },
                       progress);
    target.BeginUpdate();
    target.Clear();
    target.InsertLines(LineIndex(0), lines);
    target.SetLineBreaks(breaks);
    if (toMode == vmCode)
        DropFinalEmptyLine(target);
    // The plain editor shows an empty text as one empty line.
    if (target.Count() == 0 && toMode == vmPlain)
        target.Add("");
    target.EndUpdate();
}
