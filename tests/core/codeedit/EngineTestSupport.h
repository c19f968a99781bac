#pragma once
// Engine tests write a text with its caret and selection in one string: lines separated by
// '\n', '|' the caret and '^' the anchor (no '^': no selection).

#include "codeedit/SynEditEngine.h"
#include "core/support/PositionTestSupport.h"
#include "platform/Encoding.h"

#include <string>
#include <string_view>

inline const Encoding& Utf8() {
    return *Encoding::ForCodePage(Encoding::Utf8CodePage);
}

// Loads the marked text into the engine as code would (undo cleared), then places the caret.
inline void Load(TSynEditEngine& engine, std::string_view marked) {
    std::string text;
    BufferPosition caret{}, anchor{};
    bool anchorGiven = false;
    int line = 0;
    std::size_t column = 0;
    for (char c : marked) {
        if (c == '|') {
            caret = MakePosition(line, column);
        } else if (c == '^') {
            anchor = MakePosition(line, column);
            anchorGiven = true;
        } else if (c == '\n') {
            text += "\r\n";
            ++line;
            column = 0;
        } else {
            text += c;
            ++column;
        }
    }
    engine.SetText(text);
    engine.SetSelection(anchorGiven ? anchor : caret, caret);
}

// The engine's text with markers, in the notation Load reads.
inline std::string Marked(const TSynEditEngine& engine) {
    std::string result;
    for (int line = 0; line < engine.LineCount(); ++line) {
        if (line > 0)
            result += '\n';
        std::string_view text = engine.LineText(LineIndex(line));
        for (std::size_t column = 0; column <= text.size(); ++column) {
            BufferPosition here = MakePosition(line, column);
            if (engine.SelectionAvailable() && engine.Anchor() == here)
                result += '^';
            if (engine.Caret() == here)
                result += '|';
            if (column < text.size())
                result += text[column];
        }
    }
    return result;
}
