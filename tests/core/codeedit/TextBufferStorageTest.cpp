// The line list's compact storage: lines of every length around the limits of the compact
// form, copies that share the loaded block, taking a block without copying it, progress, and
// writing the lines out piece by piece.

#include "codeedit/SynEditTextBuffer.h"
#include "core/support/PositionTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string Join(const std::vector<std::string>& lines, std::string_view lineBreak) {
    std::string text;
    for (const std::string& line : lines)
        text += line + std::string(lineBreak);
    return text;
}

std::vector<std::string> LinesOf(const TSynEditStringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.emplace_back(list.Get(LineIndex(i)));
    return lines;
}

// Lengths on both sides of what a compact line record can describe (64 KiB - 1).
std::vector<std::string> LinesOfEveryLength() {
    std::vector<std::string> lines;
    for (std::size_t length : {0u, 1u, 65534u, 65535u, 65536u, 200000u, 3u})
        lines.push_back(std::string(length, static_cast<char>('a' + lines.size())));
    return lines;
}

} // namespace

TEST(TextBufferStorage, LinesOfEveryLengthLoadCopyAndEditApart) {
    const std::vector<std::string> lines = LinesOfEveryLength();
    for (std::string_view lineBreak : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(lineBreak)));
        TSynEditStringList list;
        list.TakeText(ByteBlock::CopyOf(Join(lines, lineBreak)));
        ASSERT_EQ(LinesOf(list), lines);
        std::size_t offset = 0;
        for (int i = 0; i < list.Count(); ++i) {
            EXPECT_EQ(list.LineStartOffset(LineIndex(i), lineBreak.size()), TextOffset(offset))
                << "line " << i;
            const auto end =
                list.PositionOfOffset(TextOffset(offset + lines[i].size()), lineBreak.size());
            EXPECT_EQ(end.line, LineIndex(i));
            EXPECT_EQ(end.column, ByteColumn(lines[i].size()));
            offset += lines[i].size() + lineBreak.size();
        }

        // A copy shares the block but not the edits made on either side afterwards.
        TSynEditStringList copy;
        copy.Assign(list);
        list.Put(LineIndex(4), "edited");
        list.Delete(LineIndex(0));
        copy.Put(LineIndex(5), "other");
        std::vector<std::string> expectedCopy = lines;
        expectedCopy[5] = "other";
        EXPECT_EQ(LinesOf(copy), expectedCopy);
        std::vector<std::string> expectedList = lines;
        expectedList[4] = "edited";
        expectedList.erase(expectedList.begin());
        EXPECT_EQ(LinesOf(list), expectedList);

        // The copy outlives the list it was made from.
        TSynEditStringList second;
        second.Assign(copy);
        copy.Clear();
        EXPECT_EQ(LinesOf(second), expectedCopy);
    }
}

// Edits in place give what Put of the edited text gives, whatever the line's storage (a piece
// of the block, a long line in the block, an owned copy with or without room) and however the
// room is used up, grown past or given back.
TEST(TextBufferStorage, ReplacingInALineEqualsPuttingTheEditedLine) {
    const std::string longLine(100000, 'L');
    const struct {
        const char* name;
        std::size_t column, count;
        std::string text;
    } edits[] = {
        {"insert at the start", 0, 0, "ab"},
        {"insert in the middle", 50, 0, "xyz"},
        {"delete in the middle", 40, 7, ""},
        {"append at the end", SIZE_MAX, 0, "end"},
        {"grow past any room", 10, 0, std::string(60000, 'g')},
        {"shrink to almost nothing", 5, SIZE_MAX, "s"},
        {"everything", 0, SIZE_MAX, ""},
        {"into an empty line", 0, 0, "new"},
    };
    for (const std::string& start : {std::string("short line"), longLine}) {
        TSynEditStringList list;
        list.TakeText(ByteBlock::CopyOf("first\n" + start + "\r\nlast\n"), {},
                      TSynTextBreaks::AsInText);
        list.SetRange(LineIndex(1), 7);
        list.SetFlags(LineIndex(1), 3);
        std::string expected = start;
        std::vector<TSynLinesChange> changes;
        list.SetOnChange([&](const TSynLinesChange& change) { changes.push_back(change); });
        for (const auto& edit : edits) {
            SCOPED_TRACE(std::string(edit.name) + " in a line of " + std::to_string(start.size()));
            const std::size_t column = std::min(edit.column, expected.size());
            const std::size_t count = std::min(edit.count, expected.size() - column);
            expected.replace(column, count, edit.text);
            list.ReplaceInLine(LineIndex(1), ByteColumn(column), count, edit.text);
            ASSERT_EQ(list.Get(LineIndex(1)), expected);
            EXPECT_EQ(changes.back(), (TSynLinesChange{LineIndex(1), 1, 1}));
            EXPECT_EQ(LinesOf(list).front(), "first");
            EXPECT_EQ(LinesOf(list).back(), "last");
            EXPECT_EQ(list.Ranges(LineIndex(1)), 7u);
            EXPECT_EQ(list.Flags(LineIndex(1)), 3);
            EXPECT_EQ(list.LineBreakAfter(LineIndex(1)), TSynEditFileFormat::sffDos);
            EXPECT_EQ(list.LineStartOffset(LineIndex(2), 1), TextOffset(6 + expected.size() + 1));
        }
        EXPECT_EQ(changes.size(), std::size(edits));
    }
}

TEST(TextBufferStorage, ReplacingInALineTakesTextFromTheLineItselfAndRefusesBadRanges) {
    TSynEditStringList list;
    list.Add(std::string(70000, 'a') + "tail");
    list.ReplaceInLine(LineIndex(0), ByteColumn(70000), 0, "x");
    // The line's own bytes, moved by the edit they are inserted with.
    list.ReplaceInLine(LineIndex(0), ByteColumn(0), 2, list.Get(LineIndex(0)).substr(69990));
    EXPECT_EQ(list.Get(LineIndex(0)),
              std::string("aaaaaaaaaaxtail") + std::string(69998, 'a') + "xtail");
    const std::string before(list.Get(LineIndex(0)));
    EXPECT_THROW(list.ReplaceInLine(LineIndex(0), ByteColumn(before.size() + 1), 0, "x"),
                 std::out_of_range);
    EXPECT_THROW(list.ReplaceInLine(LineIndex(0), ByteColumn(before.size() - 2), 3, ""),
                 std::out_of_range);
    EXPECT_THROW(list.ReplaceInLine(LineIndex(1), ByteColumn(0), 0, "x"), EListError);
    EXPECT_EQ(list.Get(LineIndex(0)), before);
}

TEST(TextBufferStorage, DataSetOnSomeLinesFollowsThemLikeTheirText) {
    TSynEditStringList list;
    list.TakeText(ByteBlock::CopyOf("a\nb\nc\nd\n"));
    // Only the third line has a range, object and flags: the others read 0 throughout.
    list.SetRange(LineIndex(2), 7);
    list.SetObject(LineIndex(2), &list);
    list.SetFlags(LineIndex(2), 3);
    list.Insert(LineIndex(0), "new");
    list.Exchange(LineIndex(3), LineIndex(4));
    list.Delete(LineIndex(1));
    const std::vector<std::string> expected{"new", "b", "d", "c"};
    ASSERT_EQ(LinesOf(list), expected);
    TSynEditStringList copy;
    copy.Assign(list);
    for (const TSynEditStringList* l : {&list, &copy}) {
        for (LineIndex i(0); i.Value() < l->Count(); ++i) {
            const bool tagged = l->Get(i) == "c";
            EXPECT_EQ(l->Ranges(i), tagged ? 7u : 0u) << i.Value();
            EXPECT_EQ(l->Objects(i), tagged ? static_cast<void*>(&list) : nullptr) << i.Value();
            EXPECT_EQ(l->Flags(i), tagged ? 3 : 0) << i.Value();
        }
    }
}

TEST(TextBufferStorage, TakingABlockReportsProgressThroughLargeTexts) {
    struct Case {
        std::size_t size;
        std::size_t reportsAtLeast;
    };
    for (const Case& c : {Case{kProgressStep / 2, 0}, Case{kProgressStep * 3 + 5, 3}}) {
        std::string text;
        while (text.size() < c.size)
            text += "0123456789abcde\n";
        text.resize(c.size);
        std::vector<std::uint64_t> reported;
        TSynEditStringList list;
        list.TakeText(ByteBlock::CopyOf(text), [&](std::uint64_t done, std::uint64_t total) {
            EXPECT_EQ(total, text.size());
            EXPECT_LE(done, total);
            EXPECT_TRUE(reported.empty() || done > reported.back());
            reported.push_back(done);
        });
        EXPECT_GE(reported.size(), c.reportsAtLeast);
        EXPECT_LE(reported.size(), c.reportsAtLeast + 1);
        EXPECT_EQ(list.Count(), static_cast<int>((c.size + 15) / 16));
    }
}

TEST(TextBufferStorage, WritesLinesInPiecesWithOrWithoutTheFinalBreak) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        TSynFinalBreak finalBreak;
        std::string expected;
    };
    const std::string big(3 << 20, 'x');
    const Case cases[] = {
        {"no lines", {}, TSynFinalBreak::Yes, ""},
        {"one empty line", {""}, TSynFinalBreak::No, ""},
        {"one empty line, final break", {""}, TSynFinalBreak::Yes, "\r\n"},
        {"break after the last", {"a", "b"}, TSynFinalBreak::Yes, "a\r\nb\r\n"},
        {"none after the last", {"a", "", "b"}, TSynFinalBreak::No, "a\r\n\r\nb"},
        {"pieces over a megabyte", {"a", big, "b"}, TSynFinalBreak::No, "a\r\n" + big + "\r\nb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSynEditStringList list;
        list.InsertLines(LineIndex(0), c.lines);
        std::string written;
        list.WriteText(
            [&](std::string_view piece) {
                EXPECT_FALSE(piece.empty());
                written += piece;
                return true;
            },
            "\r\n", c.finalBreak);
        EXPECT_EQ(written, c.expected);
    }
}

TEST(TextBufferStorage, WritingStopsAtTheFirstRefusedPiece) {
    TSynEditStringList list;
    list.InsertLines(LineIndex(0), {std::string(3 << 20, 'a'), std::string(3 << 20, 'b'), "c"});
    int pieces = 0;
    list.WriteText(
        [&](std::string_view) {
            ++pieces;
            return false;
        },
        "\n", TSynFinalBreak::Yes);
    EXPECT_EQ(pieces, 1);
}

// Cutting a line in two gives the lines a Put and an Insert of its halves would, with its
// break after the second half, its range and flags on the first, in one record; a line still
// in the loaded block and an edited one alike, and each half edits apart from the other.
TEST(TextBufferStorage, CuttingALineEqualsPuttingAndInsertingItsHalves) {
    const std::string longLine = std::string(40000, 'L') + "\xC3\xA9" + std::string(40000, 'M');
    for (const bool edited : {false, true})
        for (const std::string& start : {std::string("short line"), longLine})
            for (const std::size_t cut :
                 {std::size_t(0), std::size_t(4), std::size_t(40001), std::size_t(SIZE_MAX)}) {
                const std::size_t column = std::min(cut, start.size());
                SCOPED_TRACE(testing::Message() << (edited ? "edited " : "loaded ") << "line of "
                                                << start.size() << ", cut at " << column);
                TSynEditStringList list;
                list.TakeText(ByteBlock::CopyOf("first\n" + start + "\rlast\n"), {},
                              TSynTextBreaks::AsInText);
                if (edited)
                    list.ReplaceInLine(LineIndex(1), ByteColumn(0), 1, start.substr(0, 1));
                list.SetRange(LineIndex(1), 7);
                list.SetFlags(LineIndex(1), 3);
                std::vector<TSynLinesChange> changes;
                list.SetOnChange([&](const TSynLinesChange& change) { changes.push_back(change); });
                list.CutLine(LineIndex(1), ByteColumn(column));
                EXPECT_EQ(changes, (std::vector<TSynLinesChange>{{LineIndex(1), 1, 2}}));
                EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"first", start.substr(0, column),
                                                                   start.substr(column), "last"}));
                EXPECT_EQ(list.LineBreakAfter(LineIndex(1)), TSynEditFileFormat::sffUnix);
                EXPECT_EQ(list.LineBreakAfter(LineIndex(2)), TSynEditFileFormat::sffMac);
                EXPECT_EQ(list.Ranges(LineIndex(1)), 7u);
                EXPECT_EQ(list.Flags(LineIndex(1)), 3);
                EXPECT_EQ(list.Ranges(LineIndex(2)), 0u);
                EXPECT_EQ(list.Flags(LineIndex(2)), 0);
                EXPECT_EQ(list.LineStartOffset(LineIndex(3), 1), TextOffset(6 + start.size() + 2));
                list.ReplaceInLine(LineIndex(1), ByteColumn(list.Get(LineIndex(1)).size()), 0,
                                   "<end of one>");
                list.ReplaceInLine(LineIndex(2), ByteColumn(0), 0, "<start of two>");
                EXPECT_EQ(list.Get(LineIndex(1)), start.substr(0, column) + "<end of one>");
                EXPECT_EQ(list.Get(LineIndex(2)), "<start of two>" + start.substr(column));
            }
}

// Backspace after Enter, as the engine does it: the second half appended to the first, then
// removed. A loaded line's halves become the loaded bytes again, copying nothing; an edited
// one's join in its room. Either way the line is the one before the cut and edits as one.
TEST(TextBufferStorage, JoiningTheHalvesOfACutLineGivesTheLineBack) {
    const std::string line = std::string(70000, 'L') + "\xC3\xA9" + std::string(70000, 'M');
    for (const bool edited : {false, true})
        for (const std::size_t column : {std::size_t(1), std::size_t(70001), line.size() - 1}) {
            SCOPED_TRACE(testing::Message()
                         << (edited ? "edited" : "loaded") << ", cut at " << column);
            ByteBlock block = ByteBlock::CopyOf("first\n" + line + "\nlast");
            const char* const loaded = block.Data() + 6;
            TSynEditStringList list;
            list.TakeText(std::move(block), {}, TSynTextBreaks::AsInText);
            if (edited)
                list.ReplaceInLine(LineIndex(1), ByteColumn(0), 1, line.substr(0, 1));
            list.CutLine(LineIndex(1), ByteColumn(column));
            list.ReplaceInLine(LineIndex(1), ByteColumn(column), 0, list.Get(LineIndex(2)));
            list.DeleteLines(LineIndex(2), 1);
            EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"first", line, "last"}));
            EXPECT_EQ(list.Get(LineIndex(1)).data() == loaded, !edited);
            list.ReplaceInLine(LineIndex(1), ByteColumn(column), 0, "<joined>");
            EXPECT_EQ(list.Get(LineIndex(1)),
                      line.substr(0, column) + "<joined>" + line.substr(column));
            EXPECT_EQ(list.LineStartOffset(LineIndex(2), 1), TextOffset(6 + line.size() + 8 + 1));
        }
}

TEST(TextBufferStorage, CuttingALineRefusesABadLineOrColumnAndChangesNothing) {
    TSynEditStringList list;
    list.SetText("one\ntwo");
    EXPECT_THROW(list.CutLine(LineIndex(2), ByteColumn(0)), EListError);
    EXPECT_THROW(list.CutLine(LineIndex(-1), ByteColumn(0)), EListError);
    EXPECT_THROW(list.CutLine(LineIndex(1), ByteColumn(4)), std::out_of_range);
    EXPECT_EQ(LinesOf(list), (std::vector<std::string>{"one", "two"}));
}
