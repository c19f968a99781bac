#include "textfuncs/LineSorting.h"

#include "TestEncodings.h"

#include <cctype>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

using Sort = std::function<LineList(LineList, const Encoding&)>;

struct SortCase {
    const char* name;
    Sort sort;
    const Encoding* encoding;
    LineList lines;
    LineList sorted;
};

// Collators are fixed here so that the order does not depend on the machine's locale.
const Collator& Ignoring() {
    static const Collator collator("en_US", LetterCase::Ignore);
    return collator;
}
const Collator& Respecting() {
    static const Collator collator("en_US", LetterCase::Respect);
    return collator;
}

std::string Lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

LineList Alphabetically(LineList lines, const Encoding& encoding) {
    return SortLinesAlphabetically(std::move(lines), encoding, Ignoring());
}
LineList Descending(LineList lines, const Encoding& encoding) {
    return SortLinesDescending(std::move(lines), encoding, Respecting());
}
LineList ByLength(LineList lines, const Encoding& encoding) {
    return SortLinesByLength(std::move(lines), encoding, Respecting());
}

TEST(LineSorting, EachOrder) {
    const SortCase cases[] = {
        {"empty", Alphabetically, &Windows1252(), {}, {}},
        {"two lines", Alphabetically, &Windows1252(), {"b", "a"}, {"a", "b"}},
        {"ignores case", Alphabetically, &Windows1252(), {"c", "B", "a"}, {"a", "B", "c"}},
        // Equal ignoring case: either order would do; ours keeps the input order.
        {"equal lines", Alphabetically, &Windows1252(), {"b", "B", "a"}, {"a", "b", "B"}},
        {"accents",
         Alphabetically,
         &Windows1252(),
         {"\xE9t\xE9", "Ete", "f"},
         {"Ete", "\xE9t\xE9", "f"}},
        {"cyrillic 1251",
         Alphabetically,
         &Windows1251(),
         {"\xE1", "\xC0", "\xE2"},
         {"\xC0", "\xE1", "\xE2"}},
        {"descending", Descending, &Windows1252(), {"a", "c", "b"}, {"c", "b", "a"}},
        {"descending respects case",
         Descending,
         &Windows1252(),
         {"a", "A", "b", "B"},
         {"B", "b", "A", "a"}},
        {"descending 1251",
         Descending,
         &Windows1251(),
         {"\xC0", "\xE0", "\xE1"},
         {"\xE1", "\xC0", "\xE0"}},
        {"by length", ByLength, &Windows1252(), {"ccc", "a", "bb"}, {"a", "bb", "ccc"}},
        {"equal lengths by case",
         ByLength,
         &Windows1252(),
         {"B", "b", "", "a"},
         {"", "a", "b", "B"}},
        {"length in characters",
         ByLength,
         &Utf8(),
         {"\xD0\xB6\xD0\xB6", "abc", "\xE2\x82\xAC"},
         {"\xE2\x82\xAC", "\xD0\xB6\xD0\xB6", "abc"}},
        {"utf-8 alphabetically",
         Alphabetically,
         &Utf8(),
         {"\xD0\x91", "\xD0\xB0", "z"},
         {"z", "\xD0\xB0", "\xD0\x91"}},
    };
    for (const SortCase& c : cases)
        EXPECT_EQ(c.sort(c.lines, *c.encoding), c.sorted) << c.name;
}

TEST(LineSorting, LongLinesAndNulBytesComeBackWhole) {
    const std::string longLine(100000, 'z');
    const std::string withNul("a\0b", 3);
    EXPECT_EQ(Alphabetically({longLine, withNul}, Windows1252()), (LineList{withNul, longLine}));
}

TEST(LineSorting, ManyLinesEndInOrder) {
    LineList lines;
    for (int i = 0; i < 5000; ++i)
        lines.push_back(std::to_string((i * 7919) % 5000));
    const LineList sorted = Alphabetically(lines, Windows1252());
    ASSERT_EQ(sorted.size(), lines.size());
    for (std::size_t i = 1; i < sorted.size(); ++i)
        EXPECT_LE(Ignoring().Compare(sorted[i - 1], sorted[i], Windows1252()), 0) << i;
}

// Enough lines for the keys to be made on two threads, sharing long beginnings so that the
// first bytes of their keys tie: the order holds across both halves, and lines equal but for
// case keep their input order.
TEST(LineSorting, ManyLinesWithCommonBeginningsSortStably) {
    LineList lines;
    std::map<std::string, LineList> inputOrder; // by the line in lower case
    for (int i = 0; i < 50000; ++i) {
        std::string line = "a long common beginning " + std::to_string((i * 7919) % 3001);
        if (i % 4 == 1)
            line[0] = 'A';
        if (i % 4 == 2)
            line[2] = 'L';
        inputOrder[Lowered(line)].push_back(line);
        lines.push_back(line);
    }
    const LineList sorted = Alphabetically(lines, Windows1252());
    ASSERT_EQ(sorted.size(), lines.size());
    for (std::size_t i = 1; i < sorted.size(); ++i)
        ASSERT_LE(Ignoring().Compare(sorted[i - 1], sorted[i], Windows1252()), 0) << i;
    std::map<std::string, LineList> outputOrder;
    for (const std::string_view line : sorted)
        outputOrder[Lowered(std::string(line))].push_back(line);
    EXPECT_EQ(outputOrder, inputOrder);

    const LineList descending = Descending(lines, Windows1252());
    for (std::size_t i = 1; i < descending.size(); ++i)
        ASSERT_GE(Respecting().Compare(descending[i - 1], descending[i], Windows1252()), 0) << i;
}

} // namespace
