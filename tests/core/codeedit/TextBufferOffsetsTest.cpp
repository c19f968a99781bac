// Whole-text offsets of the line list and their inverse, also after edits in a large list.

#include "codeedit/SynEditTextBuffer.h"
#include "core/support/PositionTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct OffsetCase {
    std::size_t offset;
    std::size_t breakLength;
    int line;
    std::size_t column;
};

TEST(TextBufferOffsets, MapOffsetsToLinesAndColumns) {
    TSynEditStringList list;
    list.SetText("ab\r\n\r\ncde"); // starts 0, 4, 6 with CR LF; 0, 3, 4 with LF
    const OffsetCase cases[] = {
        {0, 2, 0, 0},  {2, 2, 0, 2},   {3, 2, 0, 2}, {4, 2, 1, 0}, {6, 2, 2, 0}, {9, 2, 2, 3},
        {10, 2, 2, 3}, {500, 2, 2, 3}, {3, 1, 1, 0}, {4, 1, 2, 0}, {5, 1, 2, 1}, {2, 0, 2, 0},
    };
    for (const OffsetCase& c : cases) {
        BufferPosition p = list.PositionOfOffset(TextOffset(c.offset), c.breakLength);
        EXPECT_EQ(p.line, LineIndex(c.line)) << "offset " << c.offset << " break " << c.breakLength;
        EXPECT_EQ(p.column, ByteColumn(c.column))
            << "offset " << c.offset << " break " << c.breakLength;
    }
    EXPECT_EQ(list.LineStartOffset(LineIndex(0)), TextOffset(0));
    EXPECT_EQ(list.LineStartOffset(LineIndex(2)), TextOffset(6));
    EXPECT_EQ(list.LineStartOffset(LineIndex(2), 1), TextOffset(4));
    EXPECT_EQ(list.LineStartOffset(LineIndex(3)), TextOffset(list.Text().size()));
}

TEST(TextBufferOffsets, EmptyListIsAtZero) {
    TSynEditStringList list;
    BufferPosition p = list.PositionOfOffset(TextOffset(10));
    EXPECT_EQ(p.line, LineIndex(0));
    EXPECT_EQ(p.column, ByteColumn(0));
    EXPECT_EQ(list.LineStartOffset(LineIndex(0)), TextOffset(0));
}

// The offsets of a plain vector of lines, the slow obvious way.
struct Model {
    std::vector<std::string> lines;

    std::size_t Start(std::size_t index, std::size_t breakLength) const {
        std::size_t offset = 0;
        for (std::size_t i = 0; i < index; ++i)
            offset += lines[i].size() + breakLength;
        return offset;
    }
};

TEST(TextBufferOffsets, EveryOffsetInOrderAndBackwards) {
    std::string text;
    std::vector<BufferPosition> expected;
    for (int line = 0; line < 300; ++line) {
        std::size_t length = (line * 7) % 23;
        text += std::string(length, 'x') + "\r\n";
        for (std::size_t column = 0; column < length + 2; ++column)
            expected.push_back(MakePosition(line, std::min(column, length)));
    }
    TSynEditStringList list;
    list.SetText(text);
    for (std::size_t offset = 0; offset < expected.size(); ++offset) {
        BufferPosition p = list.PositionOfOffset(TextOffset(offset));
        ASSERT_EQ(p.line, expected[offset].line) << offset;
        ASSERT_EQ(p.column, expected[offset].column) << offset;
    }
    for (std::size_t offset = expected.size(); offset-- > 0;) {
        BufferPosition p = list.PositionOfOffset(TextOffset(offset));
        ASSERT_EQ(p.line, expected[offset].line) << offset;
        ASSERT_EQ(p.column, expected[offset].column) << offset;
    }
}

TEST(TextBufferOffsets, StayRightAfterEditsInTheMiddleOfALargeList) {
    std::string text;
    Model model;
    for (int i = 0; i < 200000; ++i) {
        model.lines.push_back(std::string(i % 37, 'a' + i % 26));
        text += model.lines.back() + "\n";
    }
    TSynEditStringList list;
    list.LoadFromBuffer(text);

    std::uint32_t seed = 99;
    auto next = [&](std::size_t below) {
        seed = seed * 134775813u + 1;
        return static_cast<std::size_t>((std::uint64_t(seed) * below) >> 32);
    };
    for (int round = 0; round < 60; ++round) {
        std::size_t middle = 100000 + next(1000);
        switch (round % 4) {
        case 0:
            list.Insert(LineIndex(int(middle)), std::string(round, 'i'));
            model.lines.insert(model.lines.begin() + middle, std::string(round, 'i'));
            break;
        case 1:
            list.Delete(LineIndex(int(middle)));
            model.lines.erase(model.lines.begin() + middle);
            break;
        case 2:
            list.Put(LineIndex(int(middle)), "put put");
            model.lines[middle] = "put put";
            break;
        default:
            list.InsertLines(LineIndex(int(middle)), {"x", "", "yy"});
            model.lines.insert(model.lines.begin() + middle, {"x", "", "yy"});
        }
        // A lookup near the edit first, then one far below it, then above it.
        for (std::size_t line : {middle, model.lines.size() - 1 - next(50), next(100000)}) {
            std::size_t breakLength = round % 3;
            std::size_t start = model.Start(line, breakLength);
            ASSERT_EQ(list.LineStartOffset(LineIndex(int(line)), breakLength), TextOffset(start))
                << "line " << line;
            std::size_t column = next(model.lines[line].size() + 1);
            BufferPosition p = list.PositionOfOffset(TextOffset(start + column), breakLength);
            if (breakLength == 0 && column == model.lines[line].size())
                continue; // the end of a line is also the start of the next
            ASSERT_EQ(p.line, LineIndex(int(line)));
            ASSERT_EQ(p.column, ByteColumn(column));
        }
    }
    EXPECT_EQ(list.LineStartOffset(LineIndex(list.Count())),
              TextOffset(model.Start(model.lines.size(), 2)));
}

} // namespace
