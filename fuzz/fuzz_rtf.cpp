// Arbitrary bytes as an RTF file: the reader gives well-formed UTF-8 text in runs that are never
// empty and never two of one format side by side, cells inside their tables and pictures that
// exist; writing that document keeps its text exactly, and a second write and read changes
// nothing any more.

#include "platform/Utf8.h"
#include "richedit/RtfReader.h"
#include "richedit/RtfWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Names the rule an input broke before stopping on it.
void Check(bool condition, const char* rule) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", rule);
        std::abort();
    }
}

bool IsWellFormedUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8::Utf8SequenceLength(text, at);
        if (length == 1 && static_cast<unsigned char>(text[at]) >= 0x80) {
            return false;
        }
        at += length;
    }
    return true;
}

std::vector<std::string> Texts(const RichDocument& document) {
    std::vector<std::string> texts;
    for (const RichParagraph& paragraph : document.paragraphs) {
        texts.push_back(ParagraphText(paragraph));
    }
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RichDocument document = ReadRtf(bytes);
    for (const RichParagraph& paragraph : document.paragraphs) {
        if (paragraph.table >= 0) {
            Check(std::size_t(paragraph.table) < document.tables.size(), "a cell's table exists");
            const RichTable& table = document.tables[std::size_t(paragraph.table)];
            Check(std::size_t(paragraph.row) < table.rows.size(), "a cell's row exists");
            Check(std::size_t(paragraph.column) <
                      table.rows[std::size_t(paragraph.row)].cells.size(),
                  "a cell's column exists");
        }
        for (std::size_t i = 0; i < paragraph.runs.size(); ++i) {
            const RichRun& run = paragraph.runs[i];
            Check(run.picture < int(document.pictures.size()), "a run's picture exists");
            Check(!run.text.empty(), "runs are not empty");
            Check(IsWellFormedUtf8(run.text) && IsWellFormedUtf8(run.format.fontName),
                  "text is UTF-8");
            Check(run.format.halfPoints >= 1, "a size of at least half a point");
            Check(i == 0 || run.picture >= 0 || paragraph.runs[i - 1].picture >= 0 ||
                      !(paragraph.runs[i - 1].format == run.format),
                  "no two runs of one format side by side");
        }
    }
    const Encoding& codePage = *Encoding::ForCodePage(size % 2 == 0 ? 1252 : 1251);
    RichDocument once = ReadRtf(WriteRtf(document, codePage));
    Check(Texts(once) == Texts(document), "writing keeps the text");
    once.lost = {};
    Check(ReadRtf(WriteRtf(once, codePage)) == once, "a second write and read changes nothing");
    return 0;
}
