#include "settings/IniFile.h"

#include "platform/FileSystem.h"
#include "settings/IniText.h"

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
    FileResult<std::string> content = ReadWholeFile(this->path);
    if (content) {
        Parse(content.value);
    } else if (content.error->kind != FileErrorKind::NotFound) {
        readError = content.error->message;
    }
}

IniFile::IniFile(std::string path, std::string_view content) : path(std::move(path)) {
    Parse(content);
}

IniFile::Line IniFile::MakeLine(std::string text, std::string ending) {
    Line line;
    line.text = std::move(text);
    line.ending = std::move(ending);
    const std::string_view view = line.text;
    const std::string_view trimmed = TrimBlanks(view);
    if (trimmed.starts_with('[')) {
        const std::string_view inside = trimmed.substr(1);
        line.kind = LineKind::Section;
        line.name = TrimBlanks(inside.substr(0, inside.find(']')));
    } else if (!trimmed.starts_with(';')) {
        const auto equals = view.find('=');
        if (equals != std::string_view::npos && !TrimBlanks(view.substr(0, equals)).empty()) {
            line.kind = LineKind::Entry;
            line.name = TrimBlanks(view.substr(0, equals));
            line.valueStart = equals + 1;
        }
    }
    return line;
}

void IniFile::Parse(std::string_view content) {
    bool endingChosen = false;
    std::size_t start = 0;
    while (start < content.size()) {
        const auto breakAt = content.find_first_of("\r\n", start);
        if (breakAt == std::string_view::npos) {
            lines.push_back(MakeLine(std::string(content.substr(start)), {}));
            break;
        }
        const std::size_t breakLength =
            content[breakAt] == '\r' && breakAt + 1 < content.size() && content[breakAt + 1] == '\n'
                ? 2
                : 1;
        std::string ending(content.substr(breakAt, breakLength));
        // Lines we write follow the file's own line breaks, so an LF-only file stays LF-only.
        if (!endingChosen) {
            newLine = ending;
            endingChosen = true;
        }
        lines.push_back(MakeLine(std::string(content.substr(start, breakAt - start)), ending));
        start = breakAt + breakLength;
    }
}

std::optional<std::size_t> IniFile::FindKey(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.kind == LineKind::Section) {
            inSection = EqualWithoutCase(line.name, section);
        } else if (inSection && line.kind == LineKind::Entry && EqualWithoutCase(line.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == LineKind::Section && EqualWithoutCase(lines[i].name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t IniFile::AppendPosition(std::size_t headerLine) const {
    std::size_t end = headerLine + 1;
    while (end < lines.size() && lines[end].kind != LineKind::Section) {
        ++end;
    }
    // Blank lines that separate this section from the next stay after the new key.
    while (end - 1 > headerLine && TrimBlanks(lines[end - 1].text).empty()) {
        --end;
    }
    return end;
}

void IniFile::InsertLine(std::size_t position, std::string text) {
    if (position > 0 && lines[position - 1].ending.empty()) {
        lines[position - 1].ending = newLine;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(position),
                 MakeLine(std::move(text), newLine));
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
    const Line& line = lines[*found];
    const std::string_view value = TrimBlanks(std::string_view(line.text).substr(line.valueStart));
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
        Line& line = lines[*found];
        line = MakeLine(line.name + "=" + std::string(value), std::move(line.ending));
        return true;
    }
    const std::string entry = std::string(key) + "=" + std::string(value);
    if (const auto header = FindSection(section)) {
        InsertLine(AppendPosition(*header), entry);
        return true;
    }
    InsertLine(lines.size(), "[" + std::string(section) + "]");
    InsertLine(lines.size(), entry);
    return true;
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Content() const {
    std::string content;
    for (const Line& line : lines) {
        content += line.text;
        content += line.ending;
    }
    return content;
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
        if (!SaveFileAtomically(path, Content())) {
            modified = false;
            return true;
        }
    }
    failedPath = path;
    return false;
}
