#include "HighlighterFuzzRules.h"
#include "codeedit/SynHighlighterCpp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynCppSyn highlighter;
    FuzzHighlighter(highlighter, data, size, EmptyTokenRuleFor("TSynCppSyn"));
    return 0;
}
