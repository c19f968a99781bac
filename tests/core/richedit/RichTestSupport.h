#pragma once
// Views of a RichDocument that tests compare against.

#include "richedit/RichDocument.h"

#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

// Readable failure messages: each paragraph's alignment and runs with their formats.
inline void PrintTo(const RichDocument& document, std::ostream* out) {
    for (const RichParagraph& paragraph : document.paragraphs) {
        *out << "\n  paragraph " << int(paragraph.alignment) << ":";
        for (const RichRun& run : paragraph.runs) {
            const RichCharFormat& f = run.format;
            *out << " [" << run.text << "|" << f.bold << f.italic << f.underline << f.strikeOut
                 << " " << f.fontName << " " << f.halfPoints << " " << std::hex << f.color << " "
                 << f.highlight << std::dec << "]";
        }
    }
}

inline std::vector<std::string> ParagraphTexts(const RichDocument& document) {
    std::vector<std::string> texts;
    for (const RichParagraph& paragraph : document.paragraphs) {
        texts.push_back(ParagraphText(paragraph));
    }
    return texts;
}

// The format of the run that holds `text` (the first run whose text contains it).
inline const RichCharFormat* FormatOf(const RichDocument& document, const std::string& text) {
    for (const RichParagraph& paragraph : document.paragraphs) {
        for (const RichRun& run : paragraph.runs) {
            if (run.text.find(text) != std::string::npos) {
                return &run.format;
            }
        }
    }
    return nullptr;
}

inline std::string ReadTestFile(const std::string& name) {
    std::ifstream in(std::string(TABRIX_TEST_DATA) + "/rtf/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
