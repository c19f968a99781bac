#include "HighlighterFuzzRules.h"
#include "codeedit/SynHighlighterPerl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynPerlSyn highlighter;
    FuzzHighlighter(highlighter, data, size, EmptyTokenRuleFor("TSynPerlSyn"));
    return 0;
}
