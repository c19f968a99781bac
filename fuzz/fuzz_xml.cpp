#include "HighlighterFuzzRules.h"
#include "codeedit/SynHighlighterXML.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynXMLSyn highlighter;
    FuzzHighlighter(highlighter, data, size, EmptyTokenRuleFor("TSynXMLSyn"));
    return 0;
}
