#include "richedit/RichDocument.h"

#include <numeric>

std::string_view RichLossName(RichLoss loss) {
    static constexpr std::array<std::string_view, std::size_t(RichLoss::Count)> kNames = {
        "headers",      "footers",       "footnotes", "comments", "fields",
        "merged cells", "nested tables", "objects",   "drawings", "bookmarks"};
    return kNames[std::size_t(loss)];
}

void AppendRun(RichParagraph& paragraph, std::string_view text, const RichCharFormat& format) {
    if (text.empty()) {
        return;
    }
    if (!paragraph.runs.empty() && paragraph.runs.back().picture < 0 &&
        paragraph.runs.back().format == format) {
        paragraph.runs.back().text += text;
    } else {
        paragraph.runs.push_back({std::string(text), format});
    }
}

void AppendPicture(RichParagraph& paragraph, int picture, const RichCharFormat& format) {
    paragraph.runs.push_back({kRichPictureMark, format, picture});
}

std::string ParagraphText(const RichParagraph& paragraph) {
    std::string text;
    for (const RichRun& run : paragraph.runs) {
        text += run.text;
    }
    return text;
}

int LostCount(const RichDocument& document) {
    return std::accumulate(document.lost.begin(), document.lost.end(), 0);
}

std::string LostNames(const RichDocument& document) {
    std::string names;
    for (std::size_t i = 0; i < document.lost.size(); ++i) {
        if (document.lost[i] > 0) {
            names += names.empty() ? "" : ", ";
            names += RichLossName(RichLoss(i));
        }
    }
    return names;
}
