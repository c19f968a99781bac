#include "codeedit/SynHighlighterScanner.h"

TSynScanningHighlighter::TSynScanningHighlighter(int nullKind)
    : tokenKind(nullKind), nullKind(nullKind) {}

std::string TSynScanningHighlighter::TokenText() const {
    return std::string(line + tokenPos, run - tokenPos);
}

TSynHighlighterAttributes* TSynScanningHighlighter::TokenAttribute() const {
    const auto kind = static_cast<std::size_t>(tokenKind);
    return kind < kindAttributes.size() ? kindAttributes[kind] : nullptr;
}

void TSynScanningHighlighter::StartLine(std::string_view text, int lineIndex) {
    line = text.empty() ? "" : text.data();
    length = text.size();
    run = 0;
    tokenPos = 0;
    tokenKind = nullKind;
    lineNumber = lineIndex;
    ResetLineState();
    NextToken();
}

void TSynScanningHighlighter::SetKindAttribute(int kind, TSynHighlighterAttributes* attribute) {
    const auto index = static_cast<std::size_t>(kind);
    if (index >= kindAttributes.size()) {
        kindAttributes.resize(index + 1, nullptr);
    }
    kindAttributes[index] = attribute;
}

void TSynScanningHighlighter::NullOrEmbeddedNul(int embeddedKind) {
    if (AtEnd(run)) {
        tokenKind = nullKind;
        return;
    }
    ++run;
    tokenKind = embeddedKind;
}

void TSynScanningHighlighter::LineBreakToken(int kind) {
    run += At(run) == '\r' && At(run + 1) == '\n' ? 2 : 1;
    tokenKind = kind;
}
