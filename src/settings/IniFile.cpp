#include "settings/IniFile.h"

#include "platform/FileSystem.h"
#include "settings/IniText.h"

#include <algorithm>
#include <filesystem>
#include <limits>

namespace {

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::optional<std::uint32_t> ParseDigits(std::string_view digits, unsigned base,
                                         std::uint64_t limit) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && AsciiLower(c) >= 'a' && AsciiLower(c) <= 'f') {
            digit = static_cast<unsigned>(AsciiLower(c) - 'a' + 10);
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

// Lines we write follow the file's own line breaks, so an LF-only file stays LF-only.
std::string FirstLineBreak(std::string_view content) {
    const auto found = content.find_first_of("\r\n");
    if (found == std::string_view::npos) {
        return "\r\n";
    }
    const bool crlf =
        content[found] == '\r' && found + 1 < content.size() && content[found + 1] == '\n';
    return std::string(content.substr(found, crlf ? 2 : 1));
}

} // namespace

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    unsigned base = 10;
    if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    // Hexadecimal spells any 32-bit pattern (colours are "$FF000005"); decimal must fit an int.
    const std::uint64_t limit = base == 16 ? std::numeric_limits<std::uint32_t>::max()
                                : negative ? std::uint64_t{1} << 31
                                           : std::numeric_limits<std::int32_t>::max();
    const auto magnitude = ParseDigits(text, base, limit);
    if (!magnitude) {
        return std::nullopt;
    }
    const std::uint32_t bits = negative ? 0u - *magnitude : *magnitude;
    return static_cast<std::int32_t>(bits);
}

IniFile::IniFile(std::string path) : path(std::move(path)) {
    FileResult<std::string> read = ReadWholeFile(this->path);
    if (read) {
        content = std::move(read.value);
    } else if (read.error->kind != FileErrorKind::NotFound) {
        readError = read.error->message;
    }
    newLine = FirstLineBreak(content);
}

IniFile::IniFile(std::string path, std::string_view content)
    : path(std::move(path)), content(content), newLine(FirstLineBreak(content)) {}

IniFile::ScannedLine IniFile::ScanLine(std::size_t start) const {
    ScannedLine line;
    line.start = start;
    line.end = std::min(content.find_first_of("\r\n", start), content.size());
    line.next = line.end;
    if (line.next < content.size()) {
        const bool crlf = content[line.next] == '\r' && line.next + 1 < content.size() &&
                          content[line.next + 1] == '\n';
        line.next += crlf ? 2 : 1;
    }
    const std::string_view text = std::string_view(content).substr(start, line.end - start);
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.starts_with('[')) {
        const std::string_view inside = trimmed.substr(1);
        line.kind = LineKind::Section;
        line.name = TrimBlanks(inside.substr(0, inside.find(']')));
    } else if (!trimmed.starts_with(';')) {
        const auto equals = text.find('=');
        if (equals != std::string_view::npos && !TrimBlanks(text.substr(0, equals)).empty()) {
            line.kind = LineKind::Entry;
            line.name = TrimBlanks(text.substr(0, equals));
            line.valueStart = start + equals + 1;
        }
    }
    return line;
}

std::optional<IniFile::ScannedLine> IniFile::FindKey(std::string_view section,
                                                     std::string_view key) const {
    bool inSection = false;
    for (std::size_t start = 0; start < content.size();) {
        const ScannedLine line = ScanLine(start);
        if (line.kind == LineKind::Section) {
            inSection = EqualWithoutCase(line.name, section);
        } else if (inSection && line.kind == LineKind::Entry && EqualWithoutCase(line.name, key)) {
            return line;
        }
        start = line.next;
    }
    return std::nullopt;
}

std::optional<IniFile::ScannedLine> IniFile::FindSection(std::string_view section) const {
    for (std::size_t start = 0; start < content.size();) {
        const ScannedLine line = ScanLine(start);
        if (line.kind == LineKind::Section && EqualWithoutCase(line.name, section)) {
            return line;
        }
        start = line.next;
    }
    return std::nullopt;
}

std::size_t IniFile::AppendPosition(const ScannedLine& header) const {
    // Blank lines that separate this section from the next stay after the new key.
    std::size_t position = header.next;
    for (std::size_t start = header.next; start < content.size();) {
        const ScannedLine line = ScanLine(start);
        if (line.kind == LineKind::Section) {
            break;
        }
        if (!TrimBlanks(std::string_view(content).substr(start, line.end - start)).empty()) {
            position = line.next;
        }
        start = line.next;
    }
    return position;
}

void IniFile::InsertLine(std::size_t position, std::string_view text) {
    std::string line;
    // Only the end of a file can lack a line break before the insertion point.
    if (position > 0 && content[position - 1] != '\n' && content[position - 1] != '\r') {
        line = newLine;
    }
    line += text;
    line += newLine;
    content.insert(position, line);
}

bool IniFile::SectionExists(std::string_view section) const {
    return FindSection(section).has_value();
}

bool IniFile::KeyExists(std::string_view section, std::string_view key) const {
    return FindKey(section, key).has_value();
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    const auto found = FindKey(section, key);
    if (!found) {
        return std::string(defaultValue);
    }
    const std::string_view value = TrimBlanks(
        std::string_view(content).substr(found->valueStart, found->end - found->valueStart));
    return std::string(value.substr(0, kMaxIniValueLength));
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
    if (!KeyExists(section, key)) {
        return defaultValue;
    }
    return ParseIniInteger(ReadString(section, key, {})).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const bool sectionReadable = !section.empty() && TrimBlanks(section) == section &&
                                 section.find(']') == std::string_view::npos &&
                                 !HasLineBreak(section);
    const bool keyReadable = !key.empty() && TrimBlanks(key) == key &&
                             key.find('=') == std::string_view::npos && !key.starts_with('[') &&
                             !key.starts_with(';') && !HasLineBreak(key);
    if (!sectionReadable || !keyReadable || HasLineBreak(value)) {
        return false;
    }
    modified = true;
    if (const auto found = FindKey(section, key)) {
        // The key keeps the spelling the file gave it.
        const std::string line = std::string(found->name) + "=" + std::string(value);
        content.replace(found->start, found->end - found->start, line);
        return true;
    }
    const std::string entry = std::string(key) + "=" + std::string(value);
    if (const auto header = FindSection(section)) {
        InsertLine(AppendPosition(*header), entry);
        return true;
    }
    // Appending, not "[" + std::string: GCC 12 warns falsely (restrict) at -O3.
    std::string sectionHeader = "[";
    sectionHeader.append(section).append("]");
    InsertLine(content.size(), sectionHeader);
    InsertLine(content.size(), entry);
    return true;
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

bool IniFile::Flush(std::string& failedPath) {
    if (!modified) {
        return true;
    }
    if (!readError) {
        const std::filesystem::path folder(std::string(FolderOf(path)));
        std::error_code ignored; // a folder that cannot be made fails the save below
        if (!folder.empty()) {
            std::filesystem::create_directories(folder, ignored);
        }
        if (!SaveFileAtomically(path, content)) {
            modified = false;
            return true;
        }
    }
    failedPath = path;
    return false;
}
