#include "codeedit/SynEditHighlighter.h"

// Waiting for the platform registry interface; until then nothing is loaded or saved.
bool TSynCustomHighlighter::LoadFromRegistryKey(int, const std::string&) {
    return false;
}

bool TSynCustomHighlighter::SaveToRegistryKey(int, const std::string&) const {
    return false;
}
