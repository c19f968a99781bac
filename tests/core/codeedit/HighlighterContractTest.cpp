// The fuzz targets' contract (tokens cover every line exactly, no empty token where none is
// allowed, no state hidden between lines) on seeded random input and on long lines, for every
// highlighter in the extension table. A broken contract aborts the test executable.

#include "../../../fuzz/HighlighterFuzzRules.h"
#include "codeedit/HighlighterRegistry.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using namespace std::string_literals;

std::string RandomInput(std::mt19937& random, std::size_t size) {
    static const std::string specials = "<>&#;=\"'%!-/ \t\r\n\0?*{}()[]$@:.,\\abcXYZ019"s;
    std::string input(size, ' ');
    for (auto& c : input) {
        c = random() % 4 == 0 ? static_cast<char>(random() % 256)
                              : specials[random() % specials.size()];
    }
    return input;
}

void Scan(TSynCustomHighlighter& highlighter, EmptyTokenRule rule, const std::string& input) {
    FuzzHighlighter(highlighter, reinterpret_cast<const std::uint8_t*>(input.data()), input.size(),
                    rule);
}

TEST(HighlighterContract, RandomInput) {
    for (const auto& highlighterClass : HighlighterClasses()) {
        auto highlighter = highlighterClass.create();
        const auto rule = EmptyTokenRuleFor(highlighterClass.className);
        std::mt19937 random(7);
        for (int i = 0; i < 2000; ++i) {
            Scan(*highlighter, rule, RandomInput(random, random() % 300));
        }
    }
}

TEST(HighlighterContract, LongLines) {
    // Megabytes where tokens are long; lines of one-byte tokens are shorter only to keep the
    // test quick (also under the sanitizers), since every token is checked twice.
    const std::size_t large = 2u << 20, small = 256u << 10;
    std::mt19937 random(11);
    const std::string inputs[] = {
        RandomInput(random, small),        std::string(large, '\xFF'),
        std::string(large, '&'),           "<!--" + std::string(large, '-'),
        "<%" + std::string(large, '%'),    "<p \"" + std::string(large, 'x'),
        "<a b=" + std::string(large, '/'), "<" + std::string(large, 'z') + "9",
        "<a " + std::string(small, '='),   std::string(small, '<'),
        std::string(small, '\0'),
    };
    for (const auto& highlighterClass : HighlighterClasses()) {
        auto highlighter = highlighterClass.create();
        const auto rule = EmptyTokenRuleFor(highlighterClass.className);
        for (const auto& input : inputs) {
            Scan(*highlighter, rule, input);
        }
    }
}

} // namespace
