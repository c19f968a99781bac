#include "HighlighterFuzzRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynHTMLSyn highlighter;
    FuzzHighlighter(highlighter, data, size, EmptyTokenRuleFor("TSynHTMLSyn"));
    return 0;
}
