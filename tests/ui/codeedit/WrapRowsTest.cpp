// Rows of a wrapped line rewrapped after an edit are the rows a wrap of the whole new line
// gives: words pulled back onto the row before, rows pushed on, tabs, wide and multi-byte
// characters, words longer than a row, edits at the ends.

#include "codeedit/qt/SynEditWrapRows.h"

#include <QFont>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>

namespace {

TEST(WrapRows, RewrappingAfterAnEditEqualsWrappingTheNewLine) {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    font.setKerning(false);
    TSynTextMetrics metrics(font, 8);
    const Encoding& utf8 = *Encoding::ForCodePage(Encoding::Utf8CodePage);
    std::mt19937 random(2031);
    const auto below = [&](std::size_t n) { return std::size_t(random() % n); };
    static const char* const pieces[] = {
        "word ",        "a ", "\t", "caf\xC3\xA9 ",
        "\xE2\x82\xAC", "W",  " ",  "longwordwithoutanybreakatall"};
    std::string line;
    while (line.size() < 60000)
        line += pieces[below(std::size(pieces))];
    for (const qreal width : {97.0, 400.0}) {
        TSynRowStarts rows{WrapRowStarts(line, width, utf8, metrics), true, {}};
        for (int round = 0; round < 200; ++round) {
            const std::size_t at = below(line.size() + 1);
            const std::size_t removed =
                std::min(line.size() - at, below(3) == 0 ? below(300) : below(4));
            std::string inserted;
            for (std::size_t n = below(4); n > 0; --n)
                inserted += pieces[below(std::size(pieces))];
            // Edits in the engine keep characters whole.
            const auto continuation = [&](std::size_t i) {
                return i < line.size() && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80;
            };
            std::size_t from = at, to = at + removed;
            while (continuation(from))
                --from;
            while (continuation(to))
                ++to;
            const std::size_t oldLength = line.size();
            line.replace(from, to - from, inserted);
            RewrapAfterEdit(rows, line, from, oldLength - to, oldLength, width, utf8, metrics);
            // Rows left to be made when asked for are made from the last one known.
            ExtendRows(rows, line, SIZE_MAX, SIZE_MAX, width, utf8, metrics);
            ASSERT_TRUE(rows.complete);
            ASSERT_EQ(rows.starts, WrapRowStarts(line, width, utf8, metrics))
                << "width " << width << ", round " << round << ", edit at " << from;
        }
    }
}

} // namespace

namespace {

// Enter cuts a wrapped line in two, Backspace joins the halves again, a paste of one line
// joins them with text in between: the rows carried over, and those made later from them,
// equal the rows of a wrap from scratch. Words of one length keep the rows of the second half
// in another phase than those of the whole line for good: joined again, the line still knows
// all its rows at once.
TEST(WrapRows, RowsCarriedOverACutAndAJoinEqualWrappingTheNewLines) {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    font.setKerning(false);
    TSynTextMetrics metrics(font, 8);
    const Encoding& utf8 = *Encoding::ForCodePage(Encoding::Utf8CodePage);
    std::mt19937 random(2032);
    static const char* const pieces[] = {
        "word ",        "a ", "\t", "caf\xC3\xA9 ",
        "\xE2\x82\xAC", "W",  " ",  "longwordwithoutanybreakatall"};
    std::string words;
    while (words.size() < 60000)
        words += pieces[random() % std::size(pieces)];
    std::string sameLength;
    while (sameLength.size() < 60000)
        sameLength += "caf\xC3\xA9s ";
    // Whether rows are right as far as they are known, and right once made to the end.
    const auto expectRows = [&](TSynRowStarts rows, std::string_view text, qreal width) {
        const std::vector<std::size_t> fresh = WrapRowStarts(text, width, utf8, metrics);
        ASSERT_LE(rows.starts.size(), fresh.size());
        EXPECT_TRUE(std::equal(rows.starts.begin(), rows.starts.end(), fresh.begin()));
        if (rows.complete) {
            EXPECT_EQ(rows.starts.size(), fresh.size());
        }
        ExtendRows(rows, text, SIZE_MAX, SIZE_MAX, width, utf8, metrics);
        EXPECT_EQ(rows.starts, fresh);
    };
    for (const std::string& line : {words, sameLength}) {
        const std::size_t multiByte = line.find("\xC3\xA9", line.size() / 3);
        for (const qreal width : {97.0, 400.0}) {
            const TSynRowStarts rows{WrapRowStarts(line, width, utf8, metrics), true, {}};
            const std::size_t rowStart = rows.starts[rows.starts.size() / 2];
            const struct {
                const char* name;
                std::size_t cut;
            } cuts[] = {{"start", 0},
                        {"second byte", 1},
                        {"middle", line.size() / 2},
                        {"at a row start", rowStart},
                        {"before a row start", rowStart - 1},
                        {"after a row start", rowStart + 1},
                        {"inside a two-byte character", multiByte + 1},
                        {"end", line.size()}};
            for (const auto& cut : cuts) {
                SCOPED_TRACE(testing::Message() << "line of " << line.substr(0, 8) << ", width "
                                                << width << ", cut " << cut.name);
                const std::string first = line.substr(0, cut.cut), second = line.substr(cut.cut);
                const TSynRowStarts firstRows =
                    RewrapJoined(rows, cut.cut, {}, line.size(), 0, first, width, utf8, metrics);
                const TSynRowStarts secondRows = RewrapJoined(
                    {}, 0, rows, line.size(), second.size(), second, width, utf8, metrics);
                expectRows(firstRows, first, width);
                expectRows(secondRows, second, width);
                const TSynRowStarts joined =
                    RewrapJoined(firstRows, first.size(), secondRows, second.size(), second.size(),
                                 line, width, utf8, metrics);
                EXPECT_TRUE(joined.complete);
                expectRows(joined, line, width);
                const std::string pasted = first + "pasted words\t" + second;
                expectRows(RewrapJoined(firstRows, first.size(), secondRows, second.size(),
                                        second.size(), pasted, width, utf8, metrics),
                           pasted, width);
            }
        }
    }
}

} // namespace
