#include "HighlighterFuzzRules.h"
#include "codeedit/SynHighlighterIni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynIniSyn highlighter;
    FuzzHighlighter(highlighter, data, size, EmptyTokenRuleFor("TSynIniSyn"));
    return 0;
}
