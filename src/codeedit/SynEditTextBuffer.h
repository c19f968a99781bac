#pragma once
// TSynEditStringList: the line list behind both editors. Per line it keeps the text (bytes,
// without line break), an object slot, the highlighter range at the start of the line and a
// flag set, all moved together. It does not scan, paint or know about carets.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A highlighter range as the editor stores it: opaque, compared by value.
using TSynRange = std::uintptr_t;

enum class TSynEditFileFormat { sffDos = 0, sffUnix = 1, sffMac = 2 };

// The list's index error: "List index out of bounds (<index>)".
class EListError : public std::out_of_range {
public:
    explicit EListError(long long index);
    long long Index() const { return index; }

private:
    long long index;
};

// A file that cannot be opened or created.
class EFileStreamError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One record per change, consumed by everyone who keeps state per line (range rescanning,
// repaint, caret and bookmark fix-up): lines [index, index + removed) were replaced by
// `inserted` new lines. A changed line in place is {index, 1, 1}; a whole-text replace is
// {0, oldCount, newCount} with wholeText set.
struct TSynLinesChange {
    int index = 0;
    int removed = 0;
    int inserted = 0;
    bool wholeText = false;
};

class TSynEditStringList {
public:
    TSynEditStringList();
    ~TSynEditStringList();
    TSynEditStringList(const TSynEditStringList&) = delete;
    TSynEditStringList& operator=(const TSynEditStringList&) = delete;

    int Count() const;
    // Valid until the list next changes.
    std::string_view Get(int index) const;
    std::string operator[](int index) const { return std::string(Get(index)); }
    void Put(int index, std::string_view text);
    int Add(std::string_view text);
    void Insert(int index, std::string_view text);
    // Inserts several lines in one change.
    void InsertLines(int index, const std::vector<std::string>& lines);
    void Delete(int index);
    // Deletes count lines from index in one change.
    void DeleteLines(int index, int count);
    void Exchange(int index1, int index2);
    void Clear();
    void Assign(const TSynEditStringList& source);

    // Every line followed by CR LF (the last one too), as a string list's Text.
    std::string Text() const;
    // Replaces all lines; CR LF, LF and CR all break lines; a final break adds no empty line.
    void SetText(std::string_view text);

    void* Objects(int index) const;
    void SetObject(int index, void* object);
    TSynRange Ranges(int index) const;
    void SetRange(int index, TSynRange range);
    std::uint8_t Flags(int index) const;
    void SetFlags(int index, std::uint8_t flags);

    TSynEditFileFormat FileFormat() const { return fileFormat; }
    void SetFileFormat(TSynEditFileFormat format) { fileFormat = format; }

    // Load: NUL, CR and LF end a line (CR LF is one break); the format is detected. Throws
    // EFileStreamError when the file cannot be opened, leaving the list unchanged.
    void LoadFromStream(std::istream& stream);
    void LoadFromFile(const std::string& path);
    void LoadFromBuffer(std::string buffer);
    // Save: every line followed by the format's line break.
    void SaveToStream(std::ostream& stream) const;
    void SaveToFile(const std::string& path) const;

    // Whole-text offsets, counting the line break after each line as `breakLength` bytes
    // (2 for the plain editor's CR LF text). Offsets past the end map to the end.
    std::size_t LineStartOffset(int index, std::size_t breakLength = 2) const;
    // Line holding offset, and the byte column inside it.
    struct Position {
        int line;
        std::size_t column;
    };
    Position PositionOfOffset(std::size_t offset, std::size_t breakLength = 2) const;

    // Change reporting: begin/end update nest; changes made inside are reported as one record
    // covering them when the counter returns to zero.
    void BeginUpdate();
    void EndUpdate();
    using ChangeHandler = std::function<void(const TSynLinesChange&)>;
    void SetOnChange(ChangeHandler handler);

private:
    struct Impl;
    Impl* impl;
    TSynEditFileFormat fileFormat = TSynEditFileFormat::sffDos;
};
