#include "search/EngineSearchDocument.h"

void EngineSearchDocument::Select(BufferRange range) {
    engine.SetSelectionMode(TSynSelectionMode::smNormal);
    engine.SetSelection(range.begin, range.end);
}

void EngineSearchDocument::Replace(BufferRange range, std::string_view text) {
    Select(range);
    if (text.empty())
        engine.DeleteSelection();
    else
        engine.InsertText(text);
}
