#include "textfuncs/RandomText.h"

#include "platform/Random.h"
#include "textfuncs/LineList.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace {

const Encoding& Windows1252() {
    return *Encoding::ForCodePage(1252);
}
const Encoding& Utf8() {
    return *Encoding::ForCodePage(Encoding::Utf8CodePage);
}

// From seed 42 the generator's seeds are 0x5165A8D3, 0xE0A11820, 0x3495F8A1, 0x2828DF26,
// 0x050BF3BF, 0xD8E23EBC, 0xBAA429AD, 0x001A0462; each draw below n is (seed * n) >> 32.
constexpr std::uint32_t TestSeed = 42;

TEST(RandomText, RandomNumberIsOneDrawBelowAHundredWithoutLeadingZeros) {
    Random::SetSeed(TestSeed);
    std::string numbers;
    for (int i = 0; i < 8; ++i)
        numbers += RandomNumberText() + ",";
    EXPECT_EQ(numbers, "31,87,20,15,1,84,72,0,");
    EXPECT_EQ(Random::Seed(), 0x001A0462u);
}

TEST(RandomText, EachCharacterIsOneDrawInTextOrder) {
    const struct {
        const char* name;
        RandomTextKind kind;
        const Encoding* encoding;
        std::string start;
    } cases[] = {
        // Draws below 224: 71 196 46 35 4 189 163 0, plus 32.
        {"32..255", RandomTextKind::Codes32To255, &Windows1252(), "g\xE4NC$\xDD\xC3 "},
        {"32..255 utf-8", RandomTextKind::Codes32To255, &Utf8(), "g\xC3\xA4NC$\xC3\x9D\xC3\x83 "},
        // Draws below 58: 18 50 11 9 1 49 42 0, plus 32.
        {"32..99", RandomTextKind::Codes32To99, &Windows1252(), "2R+)!QJ "},
        // Draws below 51: 16 44 10 8 1 43 37 0, as '0'-'9', 'A'-'Z', 'a'-'o'.
        {"alphanumeric", RandomTextKind::Alphanumeric, &Utf8(), "GiA81hb0"},
    };
    for (const auto& c : cases) {
        Random::SetSeed(TestSeed);
        const std::string text = NewRandomText(c.kind, *c.encoding);
        EXPECT_EQ(text.substr(0, c.start.size()), c.start) << c.name;
        // 2000 draws, one per character: the seed 2000 steps on from 42.
        EXPECT_EQ(Random::Seed(), 0xF71A9BDAu) << c.name;
    }
}

TEST(RandomText, TwentyFiveLinesOfEightyCharactersEachEndingInABreak) {
    for (const Encoding* encoding : {&Windows1252(), &Utf8()}) {
        Random::SetSeed(TestSeed);
        const std::string text = NewRandomText(RandomTextKind::Codes32To255, *encoding);
        ASSERT_TRUE(text.ends_with("\r\n")) << encoding->Name();
        const LineList lines = SplitLines(text);
        ASSERT_EQ(lines.size(), 25u) << encoding->Name();
        for (const std::string_view line : lines)
            EXPECT_EQ(encoding->CharCount(line), 80u) << encoding->Name();
        if (!encoding->IsUtf8()) {
            EXPECT_EQ(text.size(), 2050u);
        }
        // Codes 32 to 255 hold no line break, so the only breaks are the 25 line ends.
        EXPECT_EQ(JoinLines(lines), text) << encoding->Name();
    }
}

// Counts of each code over many texts; codes are bytes in Windows-1252.
std::map<int, int> CodeCounts(RandomTextKind kind, int texts) {
    std::map<int, int> counts;
    for (int i = 0; i < texts; ++i) {
        for (const char byte : NewRandomText(kind, Windows1252())) {
            if (byte != '\r' && byte != '\n')
                ++counts[static_cast<std::uint8_t>(byte)];
        }
    }
    return counts;
}

std::set<int> CodesOf(std::string_view symbols) {
    return {symbols.begin(), symbols.end()};
}

std::set<int> CodeRange(int first, int last) {
    std::set<int> codes;
    for (int code = first; code <= last; ++code)
        codes.insert(code);
    return codes;
}

TEST(RandomText, EveryCodeOfTheKindAndNoOtherOccursAboutEquallyOften) {
    const struct {
        const char* name;
        RandomTextKind kind;
        std::set<int> codes;
    } cases[] = {
        {"32..255", RandomTextKind::Codes32To255, CodeRange(32, 255)},
        {"32..99 stops at 89", RandomTextKind::Codes32To99, CodeRange(32, 89)},
        {"alphanumeric stops at 'o'", RandomTextKind::Alphanumeric,
         CodesOf("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmno")},
    };
    constexpr int texts = 50; // 100000 characters
    for (const auto& c : cases) {
        Random::SetSeed(TestSeed);
        const std::map<int, int> counts = CodeCounts(c.kind, texts);
        std::set<int> seen;
        for (const auto& [code, count] : counts)
            seen.insert(code);
        EXPECT_EQ(seen, c.codes) << c.name;
        // Some 446 to 1961 draws per code; 15 % off is over five standard deviations.
        const double expected = texts * 2000.0 / c.codes.size();
        for (const auto& [code, count] : counts) {
            EXPECT_NEAR(count, expected, expected * 0.15) << c.name << " code " << code;
        }
    }
}

} // namespace
