#include "HighlighterFuzzRules.h"
#include "codeedit/SynHighlighterVB.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynVBSyn highlighter;
    FuzzHighlighter(highlighter, data, size, EmptyTokenRuleFor("TSynVBSyn"));
    return 0;
}
