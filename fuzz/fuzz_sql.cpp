#include "HighlighterFuzzRules.h"
#include "codeedit/SynHighlighterSQL.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynSQLSyn highlighter;
    FuzzHighlighter(highlighter, data, size, EmptyTokenRuleFor("TSynSQLSyn"));
    return 0;
}
