#include "richedit/RichFileKind.h"

namespace {

// Text files have no NUL bytes; binary formats have them within their first blocks.
constexpr std::size_t kBinaryProbeLength = 64 * 1024;

} // namespace

RichFileKind ClassifyRichFile(std::string_view bytes) {
    if (bytes.starts_with("{\\rtf")) {
        return RichFileKind::Rtf;
    }
    if (bytes.substr(0, kBinaryProbeLength).find('\0') != std::string_view::npos) {
        return RichFileKind::Binary;
    }
    return RichFileKind::PlainText;
}

std::string NotRichTextMessage(std::string_view path) {
    return "Cannot open " + std::string(path) +
           ": it is neither RTF nor plain text (a Word .doc or .docx file, for example).";
}
