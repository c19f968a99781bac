#pragma once
// One INI file in the profile format the settings and style files use, read whole at
// construction and written whole, once, by Flush. Reads and writes behave as key-by-key profile
// calls would: sections and keys match without case, the first matching key wins, a write
// replaces that key's line or appends the key at the end of its section (creating the section at
// the end of the file), and no key is ever deleted. Every line a write does not touch is kept
// byte for byte. It does not interpret values beyond integers and booleans.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Values longer than this are cut when read, as the profile calls cut them.
inline constexpr std::size_t kMaxIniValueLength = 2047;

// Decimal, or hexadecimal after "$", "0x" or "0X", with an optional sign; surrounding blanks are
// allowed. Hexadecimal takes up to 32 bits ("$FF000005" is a negative int), decimal must fit an
// int. Nothing for anything else.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

class IniFile {
public:
    // Reads the file when it exists; a missing file is an empty one. CR LF, LF and CR end lines
    // alike.
    explicit IniFile(std::string path);
    // Parses `content` as if read from `path` (which Flush then writes).
    IniFile(std::string path, std::string_view content);

    const std::string& Path() const { return path; }
    // Why an existing file could not be read, if it could not. Flush refuses to replace such a
    // file, so that keys we never saw are not lost.
    const std::optional<std::string>& ReadError() const { return readError; }

    bool SectionExists(std::string_view section) const;
    bool KeyExists(std::string_view section, std::string_view key) const;

    // The value with blanks around it removed, cut to kMaxIniValueLength characters.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // ParseIniInteger of the value; the default when absent or not an integer.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;
    // An integer value, non-zero is true; the default when absent or not an integer.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // False, and nothing changed, when the section or key name could not be read back as
    // written (empty key, '=' in a key, ']' in a section, a line break anywhere) or the value
    // holds a line break.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);

    // Whether a write happened since construction or the last successful Flush.
    bool Modified() const { return modified; }
    // The file's bytes as they stand.
    const std::string& Content() const { return content; }
    // Writes Content() atomically when something was written (the folder is created when
    // missing). On failure returns false with failedPath set to Path(); the old file stays
    // whole.
    bool Flush(std::string& failedPath);

private:
    enum class LineKind { Other, Section, Entry };
    // One line of `content`, found by scanning; the file is kept as its bytes alone, so a
    // pathological file (millions of empty lines) costs no more memory than its size.
    struct ScannedLine {
        std::size_t start = 0; // first byte
        std::size_t end = 0;   // just before the line break
        std::size_t next = 0;  // just after the line break
        LineKind kind = LineKind::Other;
        std::string_view name;      // section name or key, blanks removed
        std::size_t valueStart = 0; // entries: just after the '='
    };

    ScannedLine ScanLine(std::size_t start) const;
    // The first entry of that key in any section of that name, in file order.
    std::optional<ScannedLine> FindKey(std::string_view section, std::string_view key) const;
    std::optional<ScannedLine> FindSection(std::string_view section) const;
    // Where a new key of a section goes: after its last non-blank line.
    std::size_t AppendPosition(const ScannedLine& header) const;
    // Inserts a whole line at a line start (or at the end, ending the last line first).
    void InsertLine(std::size_t position, std::string_view text);

    std::string path;
    std::string content;
    std::string newLine = "\r\n"; // for lines we write
    std::optional<std::string> readError;
    bool modified = false;
};
