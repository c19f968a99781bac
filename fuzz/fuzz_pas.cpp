#include "HighlighterFuzzRules.h"
#include "codeedit/SynHighlighterPas.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynPasSyn highlighter;
    FuzzHighlighter(highlighter, data, size, EmptyTokenRuleFor("TSynPasSyn"));
    return 0;
}
