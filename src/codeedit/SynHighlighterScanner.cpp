#include "codeedit/SynHighlighterScanner.h"

TSynScanningHighlighter::TSynScanningHighlighter(int nullKind, int spaceKind)
    : tokenKind(nullKind), nullKind(nullKind), spaceKind(spaceKind) {
    AddCharRange(identifierChars, '0', '9');
    AddCharRange(identifierChars, 'A', 'Z');
    AddCharRange(identifierChars, 'a', 'z');
    AddChars(identifierChars, "_");
    AddCharRange(identifierChars, 192, 255);
    identifierChars.reset(215);
    identifierChars.reset(247);
}

TSynHighlighterAttributes* TSynScanningHighlighter::DefaultAttribute(int role) const {
    switch (role) {
    case SYN_ATTR_COMMENT:
        return roles.comment;
    case SYN_ATTR_IDENTIFIER:
        return roles.identifier;
    case SYN_ATTR_KEYWORD:
        return roles.keyword;
    case SYN_ATTR_STRING:
        return roles.string;
    case SYN_ATTR_WHITESPACE:
        return roles.whitespace;
    case SYN_ATTR_SYMBOL:
        return roles.symbol;
    default:
        return nullptr;
    }
}

void TSynScanningHighlighter::AddIdentifierChars(std::string_view chars) {
    AddChars(identifierChars, chars);
}

std::string TSynScanningHighlighter::TokenText() const {
    return std::string(line + tokenPos, run - tokenPos);
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

void TSynScanningHighlighter::ResumeLine(std::string_view text, int lineIndex,
                                         const TSynScanState& state) {
    line = text.empty() ? "" : text.data();
    length = text.size();
    lineNumber = lineIndex;
    RestoreRange(state.range);
    SetLineState(state.lineState);
    tokenPos = state.tokenStart;
    run = state.tokenEnd;
    tokenKind = state.tokenKind;
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

void TSynScanningHighlighter::SpaceUpToTabProc() {
    ++run;
    for (unsigned char c = At(run); c != 0 && c <= 32 && c != '\t' && c != '\n' && c != '\r';
         c = At(run)) {
        ++run;
    }
    tokenKind = spaceKind;
}
