#include "textfuncs/LineOperations.h"

#include "TestEncodings.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

TEST(LineOperations, ReverseLinesExchangesEnds) {
    struct Case {
        LineList lines;
        LineList reversed;
    };
    const Case cases[] = {
        {{}, {}},
        {{"1"}, {"1"}},
        {{"1", "2", "3"}, {"3", "2", "1"}},
        {{"1", "2", "3", "4"}, {"4", "3", "2", "1"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReverseLines(c.lines), c.reversed);
}

TEST(LineOperations, ReverseStringsReversesCharactersOfEachLine) {
    struct Case {
        const char* name;
        const Encoding* encoding;
        LineList lines;
        LineList reversed;
    };
    const Case cases[] = {
        {"empty", &Windows1252(), {}, {}},
        {"lines stay in order", &Windows1252(), {"ab", "", "cde"}, {"ba", "", "edc"}},
        {"1252 bytes", &Windows1252(), {"\xE9t\xE9!"}, {"!\xE9t\xE9"}},
        {"1251 bytes", &Windows1251(), {"\xCF\xF0\xE8"}, {"\xE8\xF0\xCF"}},
        {"nul kept", &Windows1252(), {"a\0b"s}, {"b\0a"s}},
        {"utf-8 characters",
         &Utf8(),
         {"a\xD0\xB6\xE2\x82\xAC\xF0\x9F\x98\x80"},
         {"\xF0\x9F\x98\x80\xE2\x82\xAC\xD0\xB6"
          "a"}},
        // Ill-formed bytes move one by one and come back as they were.
        {"utf-8 ill-formed", &Utf8(), {"\xC3\xA9\xA9x\xE2\x82"}, {"\x82\xE2x\xA9\xC3\xA9"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReverseStrings(c.lines, *c.encoding), c.reversed) << c.name;
}

// The characters of line as the encoding reads them forwards, one string each.
std::vector<std::string> Characters(std::string_view line, const Encoding& encoding) {
    std::vector<std::string> characters;
    for (std::size_t pos = 0; pos < line.size(); pos += encoding.CharLength(line, pos))
        characters.emplace_back(line.substr(pos, encoding.CharLength(line, pos)));
    return characters;
}

// Mixed well-formed and ill-formed UTF-8: the reversed line holds the same characters in the
// opposite order. (Reversing twice need not give the line back: reversed ill-formed bytes can
// meet as a well-formed sequence.)
TEST(LineOperations, ReverseStringsKeepsEveryCharacterWhole) {
    const char* const pieces[] = {
        "a",    "Z",    " ",        "\xC3\xA9", "\xD0\xB6", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
        "\xC3", "\xA9", "\xE2\x82", "\xF0\x9F", "\xFF"};
    std::uint32_t seed = 11;
    LineList lines;
    for (int round = 0; round < 500; ++round) {
        std::string line;
        for (int i = 0; i < round % 24; ++i) {
            seed = seed * 1103515245 + 12345;
            line += pieces[(seed >> 16) % 12];
        }
        lines.push_back(line);
    }
    const LineList reversed = ReverseStrings(lines, Utf8());
    ASSERT_EQ(reversed.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::string> characters = Characters(lines[i], Utf8());
        std::reverse(characters.begin(), characters.end());
        std::string expected;
        for (const std::string& character : characters)
            expected += character;
        EXPECT_EQ(reversed[i], expected) << testing::PrintToString(lines[i]);
    }
}

TEST(LineOperations, ReverseTextReadsTheTextBackwards) {
    EXPECT_EQ(ReverseText({"ab", "cd"}, Windows1252()), (LineList{"dc", "ba"}));
    EXPECT_EQ(ReverseText({}, Windows1252()), LineList{});
    EXPECT_EQ(ReverseText({"\xD0\xB0\xD0\xB1", "c"}, Utf8()), (LineList{"c", "\xD0\xB1\xD0\xB0"}));
}

TEST(LineOperations, RemoveBlankLinesKeepsEverythingElse) {
    struct Case {
        std::string text;
        std::string result;
    };
    const Case cases[] = {
        {"", ""},
        {"a\r\n", "a\r\n"},
        {"a\r\n   \r\n\t\r\n x \r\nb", "a\r\n x \r\nb"},
        // A blank last line loses its characters; the break before it stays.
        {"a\r\n  ", "a\r\n"},
        {"a\r\n \r\n ", "a\r\n"},
        {"  \r\n", ""},
        {"\r\n\r\na", "a"},
        {"\x01\x1F \x7F", "\x01\x1F \x7F"},
        {"a\r\n\0\r\nb"s, "a\r\nb"},
        {"\xA0\r\n", "\xA0\r\n"},
        // Lone breaks are lines of their own and keep their bytes.
        {"a\n\nb\r\rc", "a\nb\rc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RemoveBlankLines(c.text), c.result) << c.text;
}

TEST(LineOperations, TrimLinesStripsCodesUpTo32AtBothEnds) {
    struct Case {
        LineList lines;
        LineList trimmed;
    };
    const Case cases[] = {
        {{}, {}},
        {{"\tx y  "}, {"x y"}},
        {{" \x01\x1F", "a"}, {"", "a"}},
        {{"\0a\0"s}, {"a"}},
        {{"\xA0"
          "a\xA0"},
         {"\xA0"
          "a\xA0"}},
        {{" a \t b "}, {"a \t b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrimLines(c.lines), c.trimmed);
}

TEST(LineOperations, RemoveDuplicateLinesKeepsFirstOfEachIgnoringCase) {
    struct Case {
        const char* name;
        const Encoding* encoding;
        const char* locale;
        LineList lines;
        LineList kept;
    };
    const Case cases[] = {
        {"empty", &Windows1252(), "en_US", {}, {}},
        {"case", &Windows1252(), "en_US", {"Apple", "apple", "Pear", "APPLE"}, {"Apple", "Pear"}},
        {"spaces count", &Windows1252(), "en_US", {"a", "a ", "a", " a"}, {"a", "a ", " a"}},
        {"accents count", &Windows1252(), "en_US", {"\xE9", "e", "\xC9"}, {"\xE9", "e"}},
        {"blank lines", &Windows1252(), "en_US", {"", "x", ""}, {"", "x"}},
        {"1251",
         &Windows1251(),
         "ru_RU",
         {"\xCF\xD0\xC8", "\xEF\xF0\xE8", "\xEF"},
         {"\xCF\xD0\xC8", "\xEF"}},
        {"utf-8",
         &Utf8(),
         "ru_RU",
         {"\xD0\x96", "\xD0\xB6", "\xC3\xA9", "\xC3\x89"},
         {"\xD0\x96", "\xC3\xA9"}},
    };
    for (const Case& c : cases) {
        const Collator collator(c.locale, LetterCase::Ignore);
        EXPECT_EQ(RemoveDuplicateLines(c.lines, *c.encoding, collator), c.kept) << c.name;
    }
}

TEST(LineOperations, RemoveDuplicateLinesAgreesWithTheComparison) {
    const Collator collator("en_US", LetterCase::Ignore);
    LineList lines;
    for (int i = 0; i < 300; ++i)
        lines.push_back(std::string(1, static_cast<char>('A' + i % 26)) +
                        std::string(1, static_cast<char>(i % 3 == 0 ? 'x' : 'X')));
    const LineList kept = RemoveDuplicateLines(lines, Windows1252(), collator);
    ASSERT_EQ(kept.size(), 26u);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(kept[i], lines[i]);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(collator.Compare(kept[i], kept[j], Windows1252()), 0);
    }
}

// Enough lines for the keys to be made on two threads: the first of each group of lines equal
// but for case stays, in input order, whichever half its duplicates are in.
TEST(LineOperations, RemoveDuplicateLinesOverManyLines) {
    const Collator collator("en_US", LetterCase::Ignore);
    const int groups = 700;
    LineList lines;
    LineList expected;
    for (int i = 0; i < 60000; ++i) {
        std::string line = "a line shared by many, number " + std::to_string((i * 11) % groups);
        if (i % 3 == 1)
            std::transform(line.begin(), line.end(), line.begin(), ::toupper);
        if (i < groups)
            expected.push_back(line);
        lines.push_back(line);
    }
    EXPECT_EQ(RemoveDuplicateLines(lines, Windows1252(), collator), expected);
}

} // namespace
