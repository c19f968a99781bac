#pragma once
// TSynEditStringList: the line list behind both editors. Per line it keeps the text (bytes,
// without line break), an object slot, the highlighter range at the start of the line and a
// flag set, all moved together. It does not scan, paint or know about carets.
//
// Loaded text is kept in one shared block that unedited lines are pieces of; a line gets its own
// copy when it is written, so loading a large file costs one read and a few bytes per line.

#include "codeedit/SynEditPosition.h"
#include "platform/ByteBlock.h"
#include "platform/Progress.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A highlighter range as the editor stores it: one byte per line, opaque, compared by value.
using TSynRange = std::uint8_t;

enum class TSynEditFileFormat { sffDos = 0, sffUnix = 1, sffMac = 2 };

// The bytes of the format's line break: CR LF, LF or CR.
std::string_view LineBreakOf(TSynEditFileFormat format);
// The format whose break those bytes are; nothing for other bytes.
std::optional<TSynEditFileFormat> FileFormatOfBreak(std::string_view lineBreak);
// "CR LF", "LF", "CR": the name the program shows and keeps for the format.
std::string_view FileFormatName(TSynEditFileFormat format);
// The format of such a name; nothing for any other text.
std::optional<TSynEditFileFormat> FileFormatOfName(std::string_view name);

// A line whose break is not the list's file format, and the break it has.
struct TSynLineBreakMark {
    LineIndex line{};
    TSynEditFileFormat format = TSynEditFileFormat::sffDos;

    friend bool operator==(const TSynLineBreakMark&, const TSynLineBreakMark&) = default;
};
using TSynLineBreakMarks = std::vector<TSynLineBreakMark>;

// Every line break of a list: the file format most lines follow, the lines that differ, and
// whether the last line has a break too.
struct TSynLineBreaks {
    TSynEditFileFormat format = TSynEditFileFormat::sffDos;
    TSynLineBreakMarks marks;
    bool breakAfterLast = true;

    friend bool operator==(const TSynLineBreaks&, const TSynLineBreaks&) = default;
};

// How TakeText breaks the lines it takes when they are written to a file.
enum class TSynTextBreaks {
    // All with the list's file format, as lines that are new.
    Usual,
    // Each with the break it had in the text; the break most lines had (the first one seen of
    // those most common) becomes the file format; a text without breaks keeps the format.
    AsInText,
};

// Whether the last line is followed by a line break too when lines are written out.
enum class TSynFinalBreak { No, Yes };

// The list's index error: "List index out of bounds (<index>)".
class EListError : public std::out_of_range {
public:
    explicit EListError(long long index);
    long long Index() const { return index; }

private:
    long long index;
};

// A file that cannot be opened, created, read or written; also a failing stream.
class EFileStreamError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One record per change, consumed by everyone who keeps state per line (range rescanning,
// repaint, caret and bookmark fix-up): lines [index, index + removed) were replaced by
// `inserted` new lines. A changed line in place is {index, 1, 1}; a whole-text replace is
// {0, oldCount, newCount} with wholeText set.
//
// Records: Put {i, 1, 1}; Insert/Add {i, 0, 1}; InsertLines {i, 0, n}; Delete {i, 1, 0};
// DeleteLines {i, n, 0}; Exchange {i, 1, 1} then {j, 1, 1} (one record when i == j); Clear,
// SetText, Assign and loading {0, oldCount, newCount, wholeText}. InsertLines and DeleteLines
// of no lines report nothing. Setting objects, ranges or flags reports nothing: the range
// rescanner writes ranges while it handles a record.
//
// Coalescing inside BeginUpdate/EndUpdate: the pending record P (on the list as it was at the
// first change) and the next change C (on the list as P left it) become the smallest record
// covering both: index = min(P.index, C.index), end e = max(P.index + P.inserted,
// C.index + C.removed) in between-coordinates, removed = e - P.inserted + P.removed - index,
// inserted = e - C.removed + C.inserted - index. Lines before index and after the covered
// span are unchanged. If either is whole-text the result is {0, countBefore, countAfter,
// wholeText}. A net no-op (insert then delete the same line) still reports its record.
struct TSynLinesChange {
    LineIndex index{};
    int removed = 0;
    int inserted = 0;
    bool wholeText = false;

    friend bool operator==(const TSynLinesChange&, const TSynLinesChange&) = default;
};

// The lines of a list frozen at one moment, readable on any thread while the list goes on
// changing: unedited lines keep pointing into the list's shared loaded block, edited lines are
// copied. Taking one costs a few bytes per line plus the edited lines' text.
class TSynLinesSnapshot {
public:
    TSynLinesSnapshot() = default;
    TSynLinesSnapshot(TSynLinesSnapshot&&) noexcept = default;
    TSynLinesSnapshot& operator=(TSynLinesSnapshot&&) noexcept = default;
    TSynLinesSnapshot(const TSynLinesSnapshot&) = delete;
    TSynLinesSnapshot& operator=(const TSynLinesSnapshot&) = delete;

    int Count() const { return static_cast<int>(lines.size()); }
    std::string_view Get(LineIndex index) const {
        return lines[static_cast<std::size_t>(index.Value())];
    }
    // The lines joined by CR LF, no break after the last: the plain editor's Text.
    std::size_t JoinedLength() const;
    void AppendJoined(std::string& target) const;

private:
    friend class TSynEditStringList;
    std::shared_ptr<const char> block;
    // The edited lines' bytes; a vector keeps its block when moved, so the views stay valid.
    std::vector<char> edited;
    std::vector<std::string_view> lines;
};

class TSynEditStringList {
public:
    TSynEditStringList();
    ~TSynEditStringList();
    TSynEditStringList(const TSynEditStringList&) = delete;
    TSynEditStringList& operator=(const TSynEditStringList&) = delete;

    int Count() const;
    // Valid until the list next changes. Not NUL-terminated; may hold NUL bytes (SetText).
    std::string_view Get(LineIndex index) const;
    std::string operator[](LineIndex index) const { return std::string(Get(index)); }
    void Put(LineIndex index, std::string_view text);
    // Replaces bytes [column, column + count) of a line with text: what Put of the edited text
    // does, but the rest of the line is moved in place (a long line keeps room to grow), so a
    // keystroke in a line of many MB copies no more than the bytes after it. Throws EListError
    // for a bad index and std::out_of_range for a range past the line's end.
    void ReplaceInLine(LineIndex index, ByteColumn column, std::size_t count, std::string_view text);
    // Cuts line index in two at column: its bytes from there on become a new line after it,
    // which takes the line's break; the line takes the list's format. One change {index, 1,
    // 2}. A line of many MB keeps its storage for its start and copies its end once, or
    // neither while it is a piece of the loaded text. Throws EListError for a bad index and
    // std::out_of_range for a column past the line's end.
    void CutLine(LineIndex index, ByteColumn column);
    LineIndex Add(std::string_view text);
    void Insert(LineIndex index, std::string_view text);
    // Inserts several lines in one change.
    void InsertLines(LineIndex index, const std::vector<std::string>& lines);
    void Delete(LineIndex index);
    // Deletes count lines from index in one change.
    void DeleteLines(LineIndex index, int count);
    void Exchange(LineIndex index1, LineIndex index2);
    void Clear();
    void Assign(const TSynEditStringList& source);
    // Any change (loading too) that would make a line longer than 4 GiB - 1 bytes or the list
    // longer than INT_MAX lines throws std::length_error and leaves the list unchanged.

    // Every line followed by CR LF (the last one too), as a string list's Text.
    std::string Text() const;
    TSynLinesSnapshot Snapshot() const;
    // Replaces all lines; CR LF, LF and CR all break lines; a final break adds no empty line;
    // NUL bytes stay in their line. The file format is kept.
    void SetText(std::string_view text);
    // The same, keeping the block itself as the lines' storage rather than a copy of it, and
    // reporting progress through a large text.
    void TakeText(ByteBlock block, const ProgressHook& progress = {},
                  TSynTextBreaks breaks = TSynTextBreaks::Usual);

    // Hands every line followed by lineBreak (the last one only with TSynFinalBreak::Yes) to
    // write, in order, in pieces of about a megabyte; stops when write returns false. Never
    // holds the whole text.
    void WriteText(const std::function<bool(std::string_view)>& write, std::string_view lineBreak,
                   TSynFinalBreak finalBreak) const;

    void* Objects(LineIndex index) const;
    void SetObject(LineIndex index, void* object);
    TSynRange Ranges(LineIndex index) const;
    void SetRange(LineIndex index, TSynRange range);
    std::uint8_t Flags(LineIndex index) const;
    void SetFlags(LineIndex index, std::uint8_t flags);

    TSynEditFileFormat FileFormat() const { return fileFormat; }
    void SetFileFormat(TSynEditFileFormat format) { fileFormat = format; }

    // The line break written after each line: the file format unless the line keeps another
    // one. A line's break stays with it when its text is put, and goes when it is deleted;
    // inserted lines take the file format. Setting breaks reports no change.
    TSynEditFileFormat LineBreakAfter(LineIndex index) const;
    void SetLineBreakAfter(LineIndex index, TSynEditFileFormat format);
    // Some line keeps a break other than the file format.
    bool MixedLineBreaks() const;
    // The file format becomes format, for every line.
    void ConvertLineBreaks(TSynEditFileFormat format);
    // The lines of [from, to) that keep another break, numbered from `from`; empty without
    // any (at no cost when no line of the list keeps one).
    TSynLineBreakMarks LineBreakMarks(LineIndex from, LineIndex to) const;
    // Gives the lines from `from` on the marked breaks; marks beyond the list are ignored.
    void SetLineBreakMarks(LineIndex from, const TSynLineBreakMarks& marks);
    // The whole list's breaks, and setting them (marks by index, as far as the lines reach).
    TSynLineBreaks LineBreaks() const;
    void SetLineBreaks(const TSynLineBreaks& breaks);
    // Whether writing the list to its file ends the last line with a break too (the flag is set
    // when the list is made).
    bool BreakAfterLast() const { return breakAfterLast; }
    void SetBreakAfterLast(bool on) { breakAfterLast = on; }
    // Hands the lines to write as WriteText does, each followed by its own line break (the last
    // one as finalBreak says).
    void WriteFileText(const std::function<bool(std::string_view)>& write,
                       TSynFinalBreak finalBreak) const;

    // Load: NUL, CR and LF end a line (CR LF is one break; the NUL is dropped); the format is
    // detected; one whole-text change. LoadFromBuffer takes the bytes without copying;
    // LoadFromBlock the first size bytes of a block, which unedited lines keep pointing into.
    // Files and streams: SynEditTextFile.h.
    void LoadFromBuffer(std::string buffer);
    void LoadFromBlock(std::shared_ptr<const char> block, std::size_t size);

    // Whole-text offsets, counting the line break after each line as `breakLength` bytes
    // (2 for the plain editor's CR LF text). index may be Count(): the offset just after the
    // last line's break. Computed lazily from the first line changed since the last call, so
    // a lookup near an edit is cheap and the first lookup far below it costs a pass to it.
    TextOffset LineStartOffset(LineIndex index, std::size_t breakLength = 2) const;
    // Line holding offset, and the byte column inside it. An offset inside a line break maps
    // to the end of that line; offsets past the end map to the end of the last line; an empty
    // list gives {0, 0}.
    BufferPosition PositionOfOffset(TextOffset offset, std::size_t breakLength = 2) const;

    // Change reporting: begin/end update nest; changes made inside are reported as one record
    // covering them when the counter returns to zero.
    void BeginUpdate();
    void EndUpdate();
    using ChangeHandler = std::function<void(const TSynLinesChange&)>;
    void SetOnChange(ChangeHandler handler);

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
    TSynEditFileFormat fileFormat = TSynEditFileFormat::sffDos;
    bool breakAfterLast = true;
};
