#include "codeedit/SynHighlighterScanner.h"

TSynScanningHighlighter::TSynScanningHighlighter(int nullKind, int spaceKind)
    : tokenKind(nullKind), nullKind(nullKind), spaceKind(spaceKind) {}

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

void TSynScanningHighlighter::NullProc() {
    if (AtEnd(run)) {
        tokenKind = nullKind;
        return;
    }
    ++run;
    tokenKind = spaceKind;
}

void TSynScanningHighlighter::LineBreakProc() {
    run += At(run) == '\r' && At(run + 1) == '\n' ? 2 : 1;
    tokenKind = spaceKind;
}

void TSynScanningHighlighter::SpaceProc() {
    ++run;
    for (unsigned char c = At(run); c != 0 && c <= 32 && c != '\n' && c != '\r'; c = At(run)) {
        ++run;
    }
    tokenKind = spaceKind;
}

void TSynScanningHighlighter::SpaceUpToTabProc() {
    ++run;
    for (unsigned char c = At(run); c != 0 && c <= 32 && c != '\t' && c != '\n' && c != '\r';
         c = At(run)) {
        ++run;
    }
    tokenKind = spaceKind;
}
