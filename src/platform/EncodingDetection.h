#pragma once
// The encoding of a text file: which one its bytes are in (found from the bytes or chosen by the
// user), and the step between the file's bytes and the bytes an editor holds. A UTF-16 file is
// edited as UTF-8 and written back as UTF-16; every other file is edited in its own bytes, so
// reading and writing them back changes nothing. Does not read or write files.

#include "platform/ByteBlock.h"
#include "platform/Encoding.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The byte-order mark a file starts with, which also tells a UTF-16 file's byte order.
enum class ByteOrderMark { None, Utf8, Utf16LittleEndian, Utf16BigEndian };

struct DocumentEncoding {
    // The encoding of the text while it is edited: UTF-8 for UTF-8 and UTF-16 files.
    const Encoding* encoding = nullptr;
    ByteOrderMark mark = ByteOrderMark::None;

    // A code page or UTF-8 without a mark.
    static DocumentEncoding Plain(const Encoding& encoding) { return {&encoding}; }

    bool IsUtf16() const {
        return mark == ByteOrderMark::Utf16LittleEndian || mark == ByteOrderMark::Utf16BigEndian;
    }
    // "windows-1251", "utf-8", "utf-8-bom", "utf-16le", "utf-16be": what FromName reads back.
    std::string Name() const;
    // "Windows-1251", "UTF-8", "UTF-8 with BOM", "UTF-16 LE", "ISO-8859-1": what the user sees.
    std::string Caption() const;
    // Nothing for a name Name() does not give.
    static std::optional<DocumentEncoding> FromName(std::string_view name);

    bool operator==(const DocumentEncoding&) const = default;
};

// "Windows-1251", "UTF-8", "ISO-8859-1".
std::string EncodingCaption(const Encoding& encoding);

// Below this confidence (0 to 100) the charset detector's guess is not taken; short texts give
// low values for the right code page too.
constexpr int GoodDetectionConfidence = 30;

// The encoding of a file's bytes: a byte-order mark (UTF-16 only when the rest is well-formed
// UTF-16); valid UTF-8 holding non-ASCII bytes; text without non-ASCII bytes in the program's
// encoding; else the program's code page when that is a single-byte one; else (a UTF-8 program)
// the supported code page the charset detector names with good confidence, or languageEncoding.
DocumentEncoding DetectEncoding(std::string_view bytes, const Encoding& programEncoding,
                                const Encoding& languageEncoding);

// The encoding a file is read in when the user names one: a code page takes the bytes as they
// are; UTF-8 keeps a byte-order mark the file has (UTF-8, or UTF-16 when well-formed).
DocumentEncoding EncodingOfChoice(std::string_view bytes, const Encoding& chosen);

// The bytes of the mark; empty for none.
std::string_view MarkBytes(ByteOrderMark mark);

// The text an editor holds for a file's bytes read whole: without the byte-order mark (taken off
// in place), UTF-16 as UTF-8. A file without a mark is handed back untouched.
ByteBlock DecodeFileBytes(ByteBlock bytes, const DocumentEncoding& encoding);
// The same for bytes in a string.
std::string DecodeFileBytes(std::string bytes, const DocumentEncoding& encoding);

struct EncodedText {
    std::string bytes;
    // Characters the target could not hold; each became '?'.
    std::size_t unencodable = 0;
};

// The file's bytes for an editor's text: the byte-order mark, then the text (as UTF-16 for a
// UTF-16 file). DecodeFileBytes undoes it exactly.
EncodedText EncodeFileBytes(std::string text, const DocumentEncoding& encoding);

// The same characters in another encoding.
EncodedText ConvertText(std::string_view text, const Encoding& from, const Encoding& to);
