#include "codeedit/SynHighlighterScanner.h"

TSynScanningHighlighter::TSynScanningHighlighter(const TSynLanguageDescriptor& language,
                                                 int nullKind, int spaceKind)
    : tokenKind(nullKind), language(language), nullKind(nullKind), spaceKind(spaceKind) {
    for (const TSynAttributeDescriptor& descriptor : language.attributes) {
        auto* attribute = AddAttribute(std::string(descriptor.name), descriptor.style,
                                       descriptor.foreground, descriptor.background);
        if (descriptor.role != kNoRole) {
            roles.at(static_cast<std::size_t>(descriptor.role)) = attribute;
        }
        for (int kind = 0; kind < TSynKindSet::Capacity; ++kind) {
            if (descriptor.kinds.Contains(kind)) {
                SetKindAttribute(kind, attribute);
            }
        }
    }
    SetAttributesOnChange();
    SetDefaultFilter(std::string(language.filter));

    AddCharRange(identifierChars, '0', '9');
    AddCharRange(identifierChars, 'A', 'Z');
    AddCharRange(identifierChars, 'a', 'z');
    AddChars(identifierChars, "_");
    AddCharRange(identifierChars, 192, 255);
    identifierChars.reset(215);
    identifierChars.reset(247);
    AddChars(identifierChars, language.identifierChars);
}

TSynHighlighterAttributes* TSynScanningHighlighter::DefaultAttribute(int role) const {
    return role >= 0 && role < static_cast<int>(roles.size())
               ? roles[static_cast<std::size_t>(role)]
               : nullptr;
}

std::string TSynScanningHighlighter::TokenText() const {
    return std::string(line + tokenPos, run - tokenPos);
}

void TSynScanningHighlighter::StartLine(std::string_view text, LineIndex) {
    line = text.empty() ? "" : text.data();
    length = text.size();
    run = 0;
    tokenPos = 0;
    tokenKind = nullKind;
    ResetLineState();
    NextToken();
}

void TSynScanningHighlighter::ResumeLine(std::string_view text, LineIndex,
                                         const TSynScanState& state) {
    line = text.empty() ? "" : text.data();
    length = text.size();
    RestoreRange(state.range);
    SetLineState(state.lineState);
    tokenPos = state.tokenStart.Value();
    run = state.tokenEnd.Value();
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
