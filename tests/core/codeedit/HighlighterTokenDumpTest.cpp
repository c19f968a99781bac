#include "codeedit/SynHighlighterHtml.h"
#include "codeedit/TokenDump.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(TokenDump, EscapesTokenText) {
    const struct {
        std::string raw;
        std::string escaped;
    } cases[] = {
        {"plain <b>", "plain <b>"}, {"a\\b", "a\\\\b"},
        {"\t\r\n", "\\t\\r\\n"},    {std::string("\0\x1F\x7F", 3), "\\x00\\x1F\\x7F"},
        {"\xC3\xA9", "\\xC3\\xA9"}, {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeTokenText(c.raw), c.escaped);
    }
}

TEST(TokenDump, RowsPerTokenAndRangePerLine) {
    TSynEditStringList lines;
    lines.SetText("<a x=\"1\">\r\n\r\n<!-- c");
    TSynHTMLSyn html;
    std::ostringstream out;
    DumpTokens(lines, html, out);
    EXPECT_EQ(out.str(), "L0\t0\t8\tSymbol\t<\n"
                         "L0\t1\t4\tReserved word\ta\n"
                         "L0\t2\t6\tSpace\t \n"
                         "L0\t3\t3\tIdentifier\tx\n"
                         "L0\t4\t8\tSymbol\t=\n"
                         "L0\t5\t11\tValue\t\"1\"\n"
                         "L0\t8\t8\tSymbol\t>\n"
                         "R0\t5\n"
                         "R1\t5\n"
                         "L2\t0\t2\tComment\t<!--\n"
                         "L2\t4\t2\tComment\t c\n"
                         "R2\t2\n");
}

} // namespace
