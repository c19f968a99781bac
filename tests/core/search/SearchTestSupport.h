#pragma once
// Search tests write a document with its selection in one string: lines separated by '\n',
// '[' where the selection begins and ']' where it ends (the caret); "[]" is a caret without a
// selection, and no brackets put the caret at the start.

#include "codeedit/SynEditEngine.h"
#include "search/EngineSearchDocument.h"

#include <string>
#include <string_view>

inline const Encoding& Windows1251() {
    return *Encoding::ForCodePage(1251);
}
inline const Encoding& Utf8() {
    return *Encoding::ForCodePage(Encoding::Utf8CodePage);
}

inline void LoadMarked(TSynEditEngine& engine, std::string_view marked) {
    std::string text;
    std::size_t begin = 0, end = 0;
    for (const char c : marked) {
        if (c == '[')
            begin = end = text.size();
        else if (c == ']')
            end = text.size();
        else if (c == '\n')
            text += "\r\n";
        else
            text += c;
    }
    engine.SetText(text);
    engine.SetSelection(engine.PositionOf(TextOffset(begin)), engine.PositionOf(TextOffset(end)));
}

inline std::string Marked(const TSynEditEngine& engine) {
    const BufferRange selection = engine.SelectionRange();
    std::string text = engine.Text();
    text.insert(engine.OffsetOf(selection.end).Value(), 1, ']');
    text.insert(engine.OffsetOf(selection.begin).Value(), 1, '[');
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            lines += '\n';
            ++i;
        } else {
            lines += text[i];
        }
    }
    return lines;
}
