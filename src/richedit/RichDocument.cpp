#include "richedit/RichDocument.h"

void AppendRun(RichParagraph& paragraph, std::string_view text, const RichCharFormat& format) {
    if (text.empty()) {
        return;
    }
    if (!paragraph.runs.empty() && paragraph.runs.back().format == format) {
        paragraph.runs.back().text += text;
    } else {
        paragraph.runs.push_back({std::string(text), format});
    }
}

std::string ParagraphText(const RichParagraph& paragraph) {
    std::string text;
    for (const RichRun& run : paragraph.runs) {
        text += run.text;
    }
    return text;
}
