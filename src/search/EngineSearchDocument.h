#pragma once
// Find and replace on the text engine behind the plain and code editors: the engine's own
// lines, searched in place, and its undo list (one entry per replacement, or per Replace All).

#include "codeedit/SynEditEngine.h"
#include "search/SearchDocument.h"

class EngineSearchDocument : public SearchDocument {
public:
    explicit EngineSearchDocument(TSynEditEngine& engine) : engine(engine) {}

    const Encoding& TextEncoding() const override { return engine.TextEncoding(); }
    int LineCount() const override { return engine.LineCount(); }
    std::string_view LineText(LineIndex line) const override { return engine.LineText(line); }
    BufferRange Selection() const override { return engine.SelectionRange(); }
    void Select(BufferRange range) override;
    bool ReadOnly() const override { return engine.ReadOnly(); }
    void Replace(BufferRange range, std::string_view text) override;
    void ReplaceEach(SpanReplacement replacements) override;

private:
    TSynEditEngine& engine;
};
