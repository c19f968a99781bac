#include "codeedit/SynEditEngine.h"
#include "recovery/RecoveryFile.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

const RecoveryHeader kHeader{"/logs/big.log", 0, 0, 0, "utf-8", ""};
const FileStamp kBase{123456789, 1700000000, 42, 2049, 77};
constexpr int vmCodeView = 1;

TSynTextChange Change(int line, std::size_t column, int endLine, std::size_t endColumn,
                      std::string inserted) {
    return {{LineIndex(line), ByteColumn(column)},
            {LineIndex(endLine), ByteColumn(endColumn)},
            std::move(inserted)};
}

const std::vector<JournalRecord> kRecords = {
    {0, 1, {Change(0, 0, 0, 0, "a")}},
    {3, 2, {Change(1, 4, 2, 0, ""), Change(3, 0, 3, 0, "two\nlines")}, vmCodeView},
    {9, 0, {Change(5, 1, 5, 1, "Edits 9 deadbeef\n\0 x"s)}},
};

std::string Journal(std::size_t records = kRecords.size()) {
    std::string bytes = FormatJournalHeader(kHeader, kBase);
    for (std::size_t i = 0; i < records; ++i)
        bytes += FormatJournalRecord(kRecords[i]);
    return bytes;
}

std::vector<TSynTextChange> ChangesOf(std::size_t records) {
    std::vector<TSynTextChange> changes;
    for (std::size_t i = 0; i < records; ++i)
        changes.insert(changes.end(), kRecords[i].changes.begin(), kRecords[i].changes.end());
    return changes;
}

TEST(RecoveryJournalTest, RecordsComeBackWithTheLastCaretAndTheFileStamp) {
    const RecoveryParse parsed = ParseRecoveryFile(Journal());
    ASSERT_TRUE(parsed.document) << parsed.error;
    EXPECT_EQ(parsed.error, "");
    ASSERT_TRUE(parsed.document->journal);
    EXPECT_EQ(parsed.document->journal->base, kBase);
    EXPECT_EQ(parsed.document->journal->changes, ChangesOf(kRecords.size()));
    EXPECT_EQ(parsed.document->header.fileName, kHeader.fileName);
    EXPECT_EQ(parsed.document->header.caretLine, 9);
    EXPECT_EQ(parsed.document->header.caretColumn, 0);
    // The last record that names its view; the header's is the view the journal began in.
    EXPECT_EQ(parsed.document->header.viewMode, vmCodeView);
}

TEST(RecoveryJournalTest, ARecordNamingNoViewOfOursStopsThePlayback) {
    std::string bytes = Journal(1);
    JournalRecord record = kRecords[1];
    record.viewMode = 3;
    bytes += FormatJournalRecord(record);
    const RecoveryParse parsed = ParseRecoveryFile(bytes);
    ASSERT_TRUE(parsed.document && parsed.document->journal);
    EXPECT_EQ(parsed.document->journal->changes, ChangesOf(1));
    EXPECT_NE(parsed.error, "");
}

TEST(RecoveryJournalTest, AJournalCutAtAnyByteOfItsLastRecordGivesTheRecordsBefore) {
    const std::string whole = Journal();
    const std::size_t lastStart = Journal(kRecords.size() - 1).size();
    for (std::size_t cut = lastStart; cut < whole.size(); ++cut) {
        const RecoveryParse parsed = ParseRecoveryFile(whole.substr(0, cut));
        ASSERT_TRUE(parsed.document && parsed.document->journal) << cut;
        EXPECT_EQ(parsed.document->journal->changes, ChangesOf(kRecords.size() - 1)) << cut;
        EXPECT_EQ(parsed.error.empty(), cut == lastStart) << cut;
    }
}

TEST(RecoveryJournalTest, ADamagedRecordStopsThePlaybackThere) {
    const std::size_t secondStart = Journal(1).size();
    const std::string good = Journal();
    const struct {
        const char* name;
        std::size_t at; // from the second record's start
        char replacement;
    } cases[] = {
        {"a byte of the payload", 30, 'Z'},
        {"a digit of the checksum", 10, 'g'},
        {"the length", 6, '9'},
        {"the record's mark", 0, 'e'},
    };
    for (const auto& c : cases) {
        std::string bytes = good;
        bytes[secondStart + c.at] =
            bytes[secondStart + c.at] == c.replacement ? '0' : c.replacement;
        const RecoveryParse parsed = ParseRecoveryFile(bytes);
        ASSERT_TRUE(parsed.document && parsed.document->journal) << c.name;
        EXPECT_EQ(parsed.document->journal->changes, ChangesOf(1)) << c.name;
        EXPECT_NE(parsed.error, "") << c.name;
    }
}

TEST(RecoveryJournalTest, AJournalWithoutItsFileStampIsRefused) {
    std::string bytes = Journal();
    bytes.replace(bytes.find("FileStamp="), 10, "Length=");
    EXPECT_FALSE(ParseRecoveryFile(bytes).document);
}

// Plays the engine's logged changes over the text it started from.
std::string PlayedBack(const std::string& start, const std::vector<TSynTextChange>& changes) {
    TSynEditEngine engine;
    engine.SetText(start);
    for (const TSynTextChange& change : changes)
        engine.ReplaceRange(change.begin, change.end, change.inserted);
    return engine.Text();
}

TEST(RecoveryJournalTest, TheEnginesLogPlayedBackGivesItsText) {
    const std::string start = "first line\r\nsecond line\r\nthird";
    const struct {
        const char* name;
        void (*edit)(TSynEditEngine&);
    } cases[] = {
        {"typing",
         [](TSynEditEngine& e) {
             e.SetCaret({LineIndex(1), ByteColumn(3)});
             e.TypeText("abc");
         }},
        {"a paste over lines",
         [](TSynEditEngine& e) {
             e.SetSelection({LineIndex(0), ByteColumn(2)}, {LineIndex(2), ByteColumn(1)});
             e.InsertText("x\r\ny");
         }},
        {"undo and redo",
         [](TSynEditEngine& e) {
             e.SetCaret({LineIndex(2), ByteColumn(5)});
             e.InsertText("\r\nnew");
             e.TypeText("er");
             e.Undo();
             e.Undo();
             e.Redo();
         }},
    };
    for (const auto& c : cases) {
        TSynEditEngine engine;
        engine.SetText(start);
        engine.ChangeLog().Restart();
        c.edit(engine);
        ASSERT_FALSE(engine.ChangeLog().Lost()) << c.name;
        EXPECT_EQ(PlayedBack(start, engine.ChangeLog().Take()), engine.Text()) << c.name;
        EXPECT_TRUE(engine.ChangeLog().Take().empty()) << c.name;
    }
}

TEST(RecoveryJournalTest, EditsNoReplacementTellsLoseTheLog) {
    const struct {
        const char* name;
        void (*edit)(TSynEditEngine&);
    } cases[] = {
        {"a whole text replaced", [](TSynEditEngine& e) { e.ReplaceAllText("other"); }},
        {"line breaks converted",
         [](TSynEditEngine& e) { e.ConvertLineBreaks(TSynEditFileFormat::sffUnix); }},
        {"a text set", [](TSynEditEngine& e) { e.SetText("set"); }},
        {"the list changed directly", [](TSynEditEngine& e) { e.Lines().Add("more"); }},
    };
    for (const auto& c : cases) {
        TSynEditEngine engine;
        engine.SetText("a\r\nb");
        engine.ChangeLog().Restart();
        c.edit(engine);
        EXPECT_TRUE(engine.ChangeLog().Lost()) << c.name;
    }
}

} // namespace
