#include "HighlighterFuzzRules.h"
#include "codeedit/SynHighlighterJava.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynJavaSyn highlighter;
    FuzzHighlighter(highlighter, data, size, EmptyTokenRuleFor("TSynJavaSyn"));
    return 0;
}
