#include "HighlighterFuzzRules.h"
#include "codeedit/SynHighlighterCss.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynCssSyn highlighter;
    FuzzHighlighter(highlighter, data, size, EmptyTokenRuleFor("TSynCssSyn"));
    return 0;
}
