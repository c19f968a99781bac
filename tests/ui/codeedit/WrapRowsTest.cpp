// Rows of a wrapped line rewrapped after an edit are the rows a wrap of the whole new line
// gives: words pulled back onto the row before, rows pushed on, tabs, wide and multi-byte
// characters, words longer than a row, edits at the ends.

#include "codeedit/qt/SynEditWrapRows.h"

#include <QFont>
#include <gtest/gtest.h>
#include <random>
#include <string>

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
        std::vector<std::size_t> rows = WrapRowStarts(line, width, utf8, metrics);
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
            ASSERT_EQ(rows, WrapRowStarts(line, width, utf8, metrics))
                << "width " << width << ", round " << round << ", edit at " << from;
        }
    }
}

} // namespace
