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

// Follows disjoint ranges in text order as each is replaced, to where it then lies: a line keeps
// its shift from the replacements before it, and the rest of a line after a replacement moves
// with its end.
class ReplacedRanges {
public:
    // Where range lies once replaced by a text of `shape`: where that text ends when put at the
    // very start, its line breaks and the length of its last line.
    BufferRange Next(BufferRange range, BufferPosition shape);

private:
    BufferRange replaced{};
    BufferPosition replacedBefore{};
};

// Disjoint ranges in text order, each with a text of its own, gathered as the new text of the
// span from the first range's start to the last one's end, '\n' between lines: a text engine
// puts that in with one replace, while an editor whose characters carry formats takes the
// ranges one by one.
class SpanReplacement {
public:
    // Adds a range after the last one: copyBetween(from, text) appends the text from the last
    // range's end to range.begin, then write(text) the range's own text, both with '\n' between
    // lines.
    template <typename CopyBetween, typename Write>
    void Add(BufferRange range, CopyBetween copyBetween, Write write) {
        if (!ranges.empty())
            copyBetween(ranges.back().end, text);
        const std::size_t start = text.size();
        write(text);
        Added(range, start);
    }

    // Room for a span text of about that many bytes, so that tens of megabytes are not copied
    // again and again as it grows.
    void Reserve(std::size_t bytes) { text.reserve(bytes); }

    bool Empty() const { return ranges.empty(); }
    // The ranges, positions in the text before any of them is replaced.
    const std::vector<BufferRange>& Ranges() const { return ranges; }
    // The text of ranges[i].
    std::string_view TextOf(std::size_t i) const;
    // From the first range's start to the last one's end, and the text it becomes.
    BufferRange Span() const { return {ranges.front().begin, ranges.back().end}; }
    std::string_view SpanText() const { return text; }
    // Hands the span's text over, without much more room than it takes, as an undo entry keeps
    // it; the replacements hold no text after it.
    std::string TakeSpanText();
    // Where the last range's text lies once the span is replaced.
    BufferRange LastReplaced() const { return lastReplaced; }

private:
    struct Piece {
        std::size_t begin;
        std::size_t end;
    };
    void Added(BufferRange range, std::size_t start);

    std::vector<BufferRange> ranges;
    std::vector<Piece> pieces;
    std::string text;
    ReplacedRanges follow;
    BufferRange lastReplaced{};
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
    // The same with a text of its own for each range, gathered with the text between them.
    // By default one Replace of the span.
    virtual void ReplaceEach(SpanReplacement replacements);
};
