#pragma once
// What find and replace need of an editor: its lines, its selection and one edit. An editor
// adapter implements it; the search never holds a copy of the text.

#include "codeedit/SynEditPosition.h"
#include "platform/Encoding.h"

#include <string>
#include <string_view>
#include <vector>

// Lines as bytes in the document's encoding, without line breaks. The text they stand for is
// the lines joined by CR LF.
class SearchLines {
public:
    virtual ~SearchLines() = default;
    virtual const Encoding& TextEncoding() const = 0;
    // At least 1: an empty text is one empty line.
    virtual int LineCount() const = 0;
    // Valid until the document changes.
    virtual std::string_view LineText(LineIndex line) const = 0;
};

class SearchDocument : public SearchLines {
public:
    // Positions are on character boundaries; begin <= end.
    virtual BufferRange Selection() const = 0;
    // Selects the range with the caret at its end and shows it.
    virtual void Select(BufferRange range) = 0;
    // A document that refuses edits is searched but never changed.
    virtual bool ReadOnly() const = 0;
    // Replaces the range by text (lines separated by CR LF) as one undoable edit.
    virtual void Replace(BufferRange range, std::string_view text) = 0;
    // Replaces every range by the same text as one undoable edit. The ranges are disjoint, in
    // text order, and positions in the text before any of them is replaced. By default one
    // Replace spans them all with the text between them rebuilt, which a text engine makes at
    // once; an editor whose characters carry formats replaces them one by one instead, so the
    // text between them keeps its own.
    virtual void ReplaceRanges(const std::vector<BufferRange>& ranges, std::string_view text);
    // The same with a text of its own for each range (texts[i] for ranges[i]).
    virtual void ReplaceEach(const std::vector<BufferRange>& ranges,
                             const std::vector<std::string>& texts);
};
