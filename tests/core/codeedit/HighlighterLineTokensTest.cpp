// TokensOfLine, the export's one call per line, must hand out exactly the tokens StartLine and
// NextToken give one at a time, and leave the same range, for every highlighter: on the
// reference inputs of its extensions and on seeded random lines carried from range to range.

#include "codeedit/HighlighterRegistry.h"
#include "codeedit/SynEditTextBuffer.h"
#include "core/support/PositionTestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::vector<std::string> ReferenceLines(const THighlighterClass& highlighterClass) {
    std::vector<std::string> lines;
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(TABRIX_TEST_DATA) / "highlight")) {
        const auto* found = FindHighlighterClass(entry.path().extension().string());
        if (!entry.is_regular_file() || found == nullptr ||
            found->className != highlighterClass.className) {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        TSynEditStringList list;
        list.LoadFromBuffer(std::string(std::istreambuf_iterator<char>(in), {}));
        for (int i = 0; i < list.Count(); ++i) {
            lines.emplace_back(list.Get(LineIndex(i)));
        }
    }
    return lines;
}

std::vector<std::string> RandomLines(std::mt19937& random, int count) {
    static const std::string pieces = "<>&#;=\"'%!-/ \t\0?*{}()[]$@:.,\\abcXYZ019_"s;
    static const std::vector<std::string> words = {
        "select", "SELECT", "asm",  "end",     "begin", "rem", "my", "sub",       "<?php",
        "?>",     "/*",     "*/",   "<!--",    "-->",   "{",   "(*", "*)",        "\"\"\"",
        "$^W",    "%hash",  "@arr", "#define", "'",     "--",  "<!", "<![CDATA[", "]]>"};
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        std::string line;
        const std::size_t parts = random() % 24;
        for (std::size_t p = 0; p < parts; ++p) {
            if (random() % 3 == 0) {
                line += words[random() % words.size()];
            } else if (random() % 8 == 0) {
                line += static_cast<char>(random() % 256);
            } else {
                line += pieces[random() % pieces.size()];
            }
        }
        lines.push_back(line);
    }
    return lines;
}

std::string NameOf(const TSynHighlighterAttributes* attribute) {
    return attribute ? attribute->Name() : "(none)";
}

// Scans the lines both ways, each highlighter carrying its own range, and compares.
void ExpectSameTokens(const THighlighterClass& highlighterClass,
                      const std::vector<std::string>& lines) {
    const auto batch = highlighterClass.create();
    const auto single = highlighterClass.create();
    batch->ClearRange();
    single->ClearRange();
    std::vector<TSynToken> tokens;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(std::string(highlighterClass.className) + " line " + std::to_string(i) + ": " +
                     lines[i]);
        batch->TokensOfLine(lines[i], LineIndex(int(i)), tokens);
        single->StartLine(lines[i], LineIndex(int(i)));
        std::size_t n = 0;
        for (; !single->AtLineEnd(); single->NextToken(), ++n) {
            ASSERT_LT(n, tokens.size());
            EXPECT_EQ(tokens[n].start, single->TokenStart());
            EXPECT_EQ(tokens[n].length, single->TokenLength());
            EXPECT_EQ(tokens[n].kind, single->TokenKind());
            // Two instances: their attributes are told apart by name.
            EXPECT_EQ(NameOf(tokens[n].attribute), NameOf(single->TokenAttribute()));
        }
        ASSERT_EQ(n, tokens.size());
        ASSERT_EQ(batch->CurrentRange(), single->CurrentRange());
    }
}

TEST(HighlighterLineTokens, MatchTokenByToken) {
    std::mt19937 random(23);
    for (const auto& highlighterClass : HighlighterClasses()) {
        const std::vector<std::string> reference = ReferenceLines(highlighterClass);
        EXPECT_FALSE(reference.empty()) << highlighterClass.className;
        ExpectSameTokens(highlighterClass, reference);
        ExpectSameTokens(highlighterClass, RandomLines(random, 3000));
    }
}

} // namespace
