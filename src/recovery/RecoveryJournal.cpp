#include "recovery/RecoveryJournal.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>

namespace {

constexpr std::string_view kRecordStart = "Edits ";
constexpr std::string_view kViewMode = "ViewMode=";

std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

// Reads the numbers of a line separated by single spaces; nothing unless there are exactly count.
template <typename Number>
std::optional<std::vector<Number>> Numbers(std::string_view line, std::size_t count, char separator,
                                           int base = 10) {
    std::vector<Number> numbers;
    while (numbers.size() < count) {
        Number value{};
        const auto [end, error] =
            std::from_chars(line.data(), line.data() + line.size(), value, base);
        if (error != std::errc() || end == line.data())
            return std::nullopt;
        numbers.push_back(value);
        line.remove_prefix(std::size_t(end - line.data()));
        if (numbers.size() < count) {
            if (line.empty() || line.front() != separator)
                return std::nullopt;
            line.remove_prefix(1);
        }
    }
    if (!line.empty())
        return std::nullopt;
    return numbers;
}

// Takes a line ending in '\n' off the front of bytes.
std::optional<std::string_view> TakeLine(std::string_view& bytes) {
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos)
        return std::nullopt;
    const std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end + 1);
    return line;
}

std::optional<JournalRecord> ParsePayload(std::string_view payload) {
    JournalRecord record;
    const std::optional<std::string_view> caretLine = TakeLine(payload);
    if (!caretLine || !caretLine->starts_with("Caret="))
        return std::nullopt;
    const auto caret = Numbers<int>(caretLine->substr(6), 2, ',');
    if (!caret || (*caret)[0] < 0 || (*caret)[1] < 0)
        return std::nullopt;
    record.caretLine = (*caret)[0];
    record.caretColumn = (*caret)[1];
    if (payload.starts_with(kViewMode)) {
        const std::optional<std::string_view> viewLine = TakeLine(payload);
        const auto view =
            viewLine ? Numbers<int>(viewLine->substr(kViewMode.size()), 1, ' ') : std::nullopt;
        if (!view || (*view)[0] < 0 || (*view)[0] > 2)
            return std::nullopt;
        record.viewMode = (*view)[0];
    }
    while (!payload.empty()) {
        const std::optional<std::string_view> line = TakeLine(payload);
        const auto fields = line ? Numbers<long long>(*line, 5, ' ') : std::nullopt;
        if (!fields)
            return std::nullopt;
        for (long long field : *fields) {
            if (field < 0 || field > (1ll << 31) - 1)
                return std::nullopt;
        }
        const auto length = std::size_t((*fields)[4]);
        if (payload.size() < length + 1 || payload[length] != '\n')
            return std::nullopt;
        const auto at = [&](int i) { return int((*fields)[std::size_t(i)]); };
        TSynTextChange change{{LineIndex(at(0)), ByteColumn(std::size_t(at(1)))},
                              {LineIndex(at(2)), ByteColumn(std::size_t(at(3)))},
                              std::string(payload.substr(0, length))};
        if (change.end < change.begin)
            return std::nullopt;
        record.changes.push_back(std::move(change));
        payload.remove_prefix(length + 1);
    }
    return record;
}

} // namespace

std::uint32_t Crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = MakeCrcTable();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes)
        crc = table[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::string FormatJournalRecord(const JournalRecord& record) {
    std::string payload = "Caret=" + std::to_string(record.caretLine) + "," +
                          std::to_string(record.caretColumn) + "\n";
    if (record.viewMode)
        payload += std::string(kViewMode) + std::to_string(*record.viewMode) + "\n";
    for (const TSynTextChange& change : record.changes) {
        payload += std::to_string(change.begin.line.Value()) + " " +
                   std::to_string(change.begin.column.Value()) + " " +
                   std::to_string(change.end.line.Value()) + " " +
                   std::to_string(change.end.column.Value()) + " " +
                   std::to_string(change.inserted.size()) + "\n";
        payload += change.inserted;
        payload += "\n";
    }
    char checksum[9];
    std::snprintf(checksum, sizeof checksum, "%08x", Crc32(payload));
    return std::string(kRecordStart) + std::to_string(payload.size()) + " " + checksum + "\n" +
           payload;
}

JournalRecords ParseJournalRecords(std::string_view bytes) {
    JournalRecords result;
    std::size_t offset = 0;
    const auto stop = [&](const std::string& why) {
        result.stopped =
            "its edits after byte " + std::to_string(offset) + " of the journal " + why;
        return result;
    };
    while (offset < bytes.size()) {
        std::string_view rest = bytes.substr(offset);
        const std::optional<std::string_view> line = TakeLine(rest);
        if (!line)
            return stop("were cut short");
        if (!line->starts_with(kRecordStart))
            return stop("are not a record");
        const std::size_t space = line->find(' ', kRecordStart.size());
        const auto length =
            space == std::string_view::npos
                ? std::nullopt
                : Numbers<std::size_t>(
                      line->substr(kRecordStart.size(), space - kRecordStart.size()), 1, ' ');
        const auto checksum = space == std::string_view::npos || line->size() - space != 9
                                  ? std::nullopt
                                  : Numbers<std::uint32_t>(line->substr(space + 1), 1, ' ', 16);
        if (!length || !checksum)
            return stop("are not a record");
        if (rest.size() < (*length)[0])
            return stop("were cut short");
        const std::string_view payload = rest.substr(0, (*length)[0]);
        if (Crc32(payload) != (*checksum)[0])
            return stop("are damaged (their checksum does not match)");
        std::optional<JournalRecord> record = ParsePayload(payload);
        if (!record)
            return stop("are not understood");
        result.records.push_back(std::move(*record));
        offset = std::size_t(payload.data() + payload.size() - bytes.data());
    }
    return result;
}
