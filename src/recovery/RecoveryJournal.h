#pragma once
// The records of a recovery journal: the edits of a document whose file is on disk, appended a
// pause at a time after a header that names the file's state (RecoveryFile.h writes and reads
// the header). Each record carries its length and a checksum, so a journal cut short by a kill
// or a crash is played back up to its last whole record and never past a damaged one.
//
//   Edits <payload bytes> <CRC-32 of the payload, 8 hex digits>\n
//   Caret=<line>,<column>\n
//   ViewMode=<mode>\n                                       (the view then; older records lack it)
//   <begin line> <begin column> <end line> <end column> <inserted bytes>\n<inserted>\n   (each)

#include "codeedit/SynEditTextChanges.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct JournalRecord {
    int caretLine = 0;
    int caretColumn = 0;
    std::vector<TSynTextChange> changes;
    // The view the caret is in: the view can change while the journal grows.
    std::optional<int> viewMode{};
};

std::uint32_t Crc32(std::string_view bytes);

std::string FormatJournalRecord(const JournalRecord& record);

// The records from the start of bytes up to the first that is cut short or damaged; stopped
// says where and why that was (empty when every byte was read).
struct JournalRecords {
    std::vector<JournalRecord> records;
    std::string stopped;
};
JournalRecords ParseJournalRecords(std::string_view bytes);
