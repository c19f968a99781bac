#include "recovery/RecoveryFile.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <vector>

namespace {

constexpr std::string_view kFirstLine = "Tabrix Pro recovery";
constexpr int kCopyVersion = 1;
constexpr int kJournalVersion = 2;

std::string Escaped(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (char c : value) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '\n')
            escaped += "\\n";
        else if (c == '\r')
            escaped += "\\r";
        else
            escaped += c;
    }
    return escaped;
}

std::optional<std::string> Unescaped(std::string_view value) {
    std::string plain;
    plain.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            plain += value[i];
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i]) {
        case '\\':
            plain += '\\';
            break;
        case 'n':
            plain += '\n';
            break;
        case 'r':
            plain += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return plain;
}

template <typename Number> std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// The header's fields in the order they are written; each must appear exactly once, but
// LineBreaks, which older copies do not have, may be missing. A whole copy has a Length, a
// journal a FileStamp.
enum Field {
    FileName,
    ViewMode,
    Caret,
    EncodingName,
    Highlighter,
    LineBreaks,
    Length,
    Stamp,
    FieldCount
};
constexpr std::string_view kFieldNames[FieldCount] = {"FileName", "ViewMode",    "Caret",
                                                      "Encoding", "Highlighter", "LineBreaks",
                                                      "Length",   "FileStamp"};

bool UsedIn(int field, int version) {
    return field == Length ? version == kCopyVersion : field != Stamp || version == kJournalVersion;
}

std::string FormatStamp(const FileStamp& stamp) {
    return std::to_string(stamp.size) + "," + std::to_string(stamp.modifiedSeconds) + "," +
           std::to_string(stamp.modifiedNanoseconds) + "," + std::to_string(stamp.device) + "," +
           std::to_string(stamp.inode);
}

std::optional<FileStamp> ParseStamp(std::string_view text) {
    std::optional<std::string_view> parts[5];
    for (auto& part : parts) {
        const std::size_t comma = std::min(text.find(','), text.size());
        part = text.substr(0, comma);
        text.remove_prefix(std::min(comma + 1, text.size()));
    }
    const auto size = ParseNumber<std::uint64_t>(*parts[0]);
    const auto seconds = ParseNumber<std::int64_t>(*parts[1]);
    const auto nanoseconds = ParseNumber<std::int64_t>(*parts[2]);
    const auto device = ParseNumber<std::uint64_t>(*parts[3]);
    const auto inode = ParseNumber<std::uint64_t>(*parts[4]);
    if (!size || !seconds || !nanoseconds || !device || !inode)
        return std::nullopt;
    return FileStamp{*size, *seconds, *nanoseconds, *device, *inode};
}

std::string FormatLineBreaks(const TSynLineBreaks& breaks) {
    std::string text = std::string(FileFormatName(breaks.format)) + ";" +
                       (breaks.breakAfterLast ? "1" : "0") + ";";
    for (std::size_t i = 0; i < breaks.marks.size(); ++i) {
        if (i > 0)
            text += ",";
        text += std::to_string(breaks.marks[i].line.Value()) + ":";
        text += FileFormatName(breaks.marks[i].format);
    }
    return text;
}

std::optional<TSynLineBreaks> ParseLineBreaks(std::string_view text) {
    const std::size_t first = text.find(';');
    const std::size_t second = first == std::string_view::npos ? first : text.find(';', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    TSynLineBreaks breaks;
    const std::optional<TSynEditFileFormat> format = FileFormatOfName(text.substr(0, first));
    const std::string_view last = text.substr(first + 1, second - first - 1);
    if (!format || (last != "0" && last != "1"))
        return std::nullopt;
    breaks.format = *format;
    breaks.breakAfterLast = last == "1";
    std::string_view marks = text.substr(second + 1);
    while (!marks.empty()) {
        const std::size_t comma = std::min(marks.find(','), marks.size());
        const std::string_view mark = marks.substr(0, comma);
        const std::size_t colon = mark.find(':');
        const std::optional<int> line = ParseNumber<int>(mark.substr(0, colon));
        const std::optional<TSynEditFileFormat> own =
            colon == std::string_view::npos ? std::nullopt
                                            : FileFormatOfName(mark.substr(colon + 1));
        if (!line || *line < 0 || !own)
            return std::nullopt;
        breaks.marks.push_back({LineIndex(*line), *own});
        marks.remove_prefix(std::min(comma + 1, marks.size()));
    }
    return breaks;
}

// The fields both kinds share, each on its line.
std::string FormatCommonFields(int version, const RecoveryHeader& header) {
    std::string file = std::string(kFirstLine) + " " + std::to_string(version) + "\n";
    file += "FileName=" + Escaped(header.fileName) + "\n";
    file += "ViewMode=" + std::to_string(header.viewMode) + "\n";
    file += "Caret=" + std::to_string(header.caretLine) + "," + std::to_string(header.caretColumn) +
            "\n";
    file += "Encoding=" + Escaped(header.encodingName) + "\n";
    file += "Highlighter=" + Escaped(header.highlighter) + "\n";
    if (header.lineBreaks)
        file += "LineBreaks=" + FormatLineBreaks(*header.lineBreaks) + "\n";
    return file;
}

struct HeaderLines {
    std::vector<std::string_view> lines;
    std::size_t textStart = 0;
};

// The header's lines up to the empty line that ends it; nothing when there is none.
std::optional<HeaderLines> SplitHeader(std::string_view bytes) {
    HeaderLines header;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        if (line.empty()) {
            header.textStart = start;
            return header;
        }
        header.lines.push_back(line);
    }
}

// Whether the file begins as a recovery file does, or as a beginning of one.
bool StartsAsRecoveryFile(std::string_view bytes) {
    const std::string expected = std::string(kFirstLine) + " ";
    const std::string_view firstLine = bytes.substr(0, bytes.find('\n'));
    return firstLine.size() < expected.size() ? std::string_view(expected).starts_with(firstLine)
                                              : firstLine.starts_with(expected);
}

RecoveryParse Refused(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

} // namespace

std::string FormatRecoveryFile(const RecoveryHeader& header, const RecoveryText& text) {
    std::string made;
    if (const auto* deferred = std::get_if<DeferredText>(&text))
        made = (*deferred)();
    const auto* lines = std::get_if<TSynLinesSnapshot>(&text);
    const std::string& bytes =
        std::holds_alternative<std::string>(text) ? std::get<std::string>(text) : made;
    const std::size_t length = lines ? lines->JoinedLength() : bytes.size();
    std::string file = FormatCommonFields(kCopyVersion, header);
    file += "Length=" + std::to_string(length) + "\n\n";
    file.reserve(file.size() + length);
    if (lines)
        lines->AppendJoined(file);
    else
        file += bytes;
    return file;
}

std::string FormatJournalHeader(const RecoveryHeader& header, const FileStamp& base) {
    return FormatCommonFields(kJournalVersion, header) + "FileStamp=" + FormatStamp(base) + "\n\n";
}

RecoveryParse ParseRecoveryFile(std::string bytes) {
    const std::optional<HeaderLines> header = SplitHeader(bytes);
    if (!header && StartsAsRecoveryFile(bytes))
        return Refused("it was cut short inside its header");
    if (!header || header->lines.empty() ||
        !header->lines[0].starts_with(std::string(kFirstLine) + " "))
        return Refused("it is not a recovery file of Tabrix Pro");
    const std::optional<int> version =
        ParseNumber<int>(header->lines[0].substr(kFirstLine.size() + 1));
    if (version != kCopyVersion && version != kJournalVersion)
        return Refused("its format version is not one this program reads");

    std::optional<std::string_view> values[FieldCount];
    for (std::size_t i = 1; i < header->lines.size(); ++i) {
        const std::string_view line = header->lines[i];
        const std::size_t equals = line.find('=');
        int field = FieldCount;
        for (int f = 0; f < FieldCount && equals != std::string_view::npos; ++f) {
            if (line.substr(0, equals) == kFieldNames[f] && UsedIn(f, *version))
                field = f;
        }
        if (field == FieldCount)
            return Refused("header line " + std::to_string(i + 1) + " is not understood");
        if (values[field])
            return Refused("the field " + std::string(kFieldNames[field]) + " appears twice");
        values[field] = line.substr(equals + 1);
    }
    for (int f = 0; f < FieldCount; ++f) {
        if (!values[f] && f != LineBreaks && UsedIn(f, *version))
            return Refused("the field " + std::string(kFieldNames[f]) + " is missing");
    }

    RecoveredDocument document;
    RecoveryHeader& fields = document.header;
    const std::optional<std::string> fileName = Unescaped(*values[FileName]);
    const std::optional<std::string> encodingName = Unescaped(*values[EncodingName]);
    const std::optional<std::string> highlighter = Unescaped(*values[Highlighter]);
    if (!fileName || !encodingName || !highlighter)
        return Refused("a name in its header has a broken escape");
    fields.fileName = *fileName;
    fields.encodingName = *encodingName;
    fields.highlighter = *highlighter;
    if (values[LineBreaks]) {
        fields.lineBreaks = ParseLineBreaks(*values[LineBreaks]);
        if (!fields.lineBreaks)
            return Refused("its line breaks are not understood");
    }

    const std::optional<int> viewMode = ParseNumber<int>(*values[ViewMode]);
    if (!viewMode || *viewMode < 0 || *viewMode > 2)
        return Refused("its view mode is not 0, 1 or 2");
    fields.viewMode = *viewMode;

    const std::string_view caret = *values[Caret];
    const std::size_t comma = caret.find(',');
    const std::optional<int> caretLine = ParseNumber<int>(caret.substr(0, comma));
    const std::optional<int> caretColumn =
        comma == std::string_view::npos ? std::nullopt : ParseNumber<int>(caret.substr(comma + 1));
    if (!caretLine || !caretColumn || *caretLine < 0 || *caretColumn < 0)
        return Refused("its caret is not two numbers from 0");
    fields.caretLine = *caretLine;
    fields.caretColumn = *caretColumn;

    if (*version == kJournalVersion) {
        const std::optional<FileStamp> base = ParseStamp(*values[Stamp]);
        if (!base)
            return Refused("its file stamp is not five numbers");
        JournalRecords read =
            ParseJournalRecords(std::string_view(bytes).substr(header->textStart));
        RecoveredJournal& journal = document.journal.emplace();
        journal.base = *base;
        for (JournalRecord& record : read.records) {
            fields.caretLine = record.caretLine;
            fields.caretColumn = record.caretColumn;
            fields.viewMode = record.viewMode.value_or(fields.viewMode);
            std::move(record.changes.begin(), record.changes.end(),
                      std::back_inserter(journal.changes));
        }
        return {std::move(document), std::move(read.stopped)};
    }
    const std::optional<std::size_t> length = ParseNumber<std::size_t>(*values[Length]);
    if (!length)
        return Refused("its text length is not a number");
    const std::size_t present = bytes.size() - header->textStart;
    if (present > *length) {
        return Refused("its text is " + std::to_string(present) + " bytes long instead of " +
                       std::to_string(*length) + " (the file was changed)");
    }
    std::string missing;
    if (present < *length)
        missing = "its text was cut short after " + std::to_string(present) + " of its " +
                  std::to_string(*length) + " bytes";
    bytes.erase(0, header->textStart);
    document.text = std::move(bytes);
    return {std::move(document), std::move(missing)};
}
