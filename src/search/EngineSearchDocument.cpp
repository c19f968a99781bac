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

void EngineSearchDocument::ReplaceEach(SpanReplacement replacements) {
    if (replacements.Empty())
        return;
    // The span's text has the engine's own breaks: tens of megabytes go in as they are.
    const BufferRange span = replacements.Span();
    Select(span);
    engine.ReplaceRange(span.begin, span.end, replacements.TakeSpanText());
}
