// Every highlighter in the registry: the first byte picks the language (its row in the
// registry, modulo the number of rows) and the rest is the text it scans.
#include "HighlighterFuzzRules.h"
#include "codeedit/HighlighterRegistry.h"

#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto& classes = HighlighterClasses();
    // One instance per language for the whole run, as the main window keeps them.
    static const auto highlighters = [&classes] {
        std::vector<std::unique_ptr<TSynCustomHighlighter>> all;
        for (const auto& highlighterClass : classes) {
            all.push_back(highlighterClass.create());
        }
        return all;
    }();
    const std::size_t language = data[0] % classes.size();
    FuzzHighlighter(*highlighters[language], data + 1, size - 1,
                    EmptyTokenRuleFor(classes[language].className));
    return 0;
}
