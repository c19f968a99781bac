#include "HighlighterFuzzRules.h"
#include "codeedit/SynHighlighterPHP.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynPHPSyn highlighter;
    FuzzHighlighter(highlighter, data, size, EmptyTokenRuleFor("TSynPHPSyn"));
    return 0;
}
