#include "app/DocumentText.h"

#include <algorithm>
#include <array>

namespace {

// Text files have no NUL bytes; binary formats have them within their first blocks.
constexpr std::size_t kBinaryProbeLength = 64 * 1024;

bool IsLineBreakByte(char c) {
    return c == '\r' || c == '\n';
}

// Number of bytes CR LF needs beyond what the text has: one per lone CR or lone LF.
std::size_t MissingBreakBytes(std::string_view text) {
    std::size_t missing = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++missing;
        } else if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            } else {
                ++missing;
            }
        }
    }
    return missing;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string ToPlainEditorText(std::string bytes) {
    const std::size_t missing = MissingBreakBytes(bytes);
    if (missing == 0) {
        return bytes;
    }
    std::string text;
    text.reserve(bytes.size() + missing);
    const char* position = bytes.data();
    const char* const end = position + bytes.size();
    while (position != end) {
        const char* const lineBreak = std::find_if(position, end, IsLineBreakByte);
        text.append(position, lineBreak);
        if (lineBreak == end) {
            break;
        }
        text += "\r\n";
        position = lineBreak + 1;
        if (*lineBreak == '\r' && position != end && *position == '\n') {
            ++position;
        }
    }
    return text;
}

bool IsRichTextExtension(std::string_view extension) {
    static constexpr std::array<std::string_view, 4> kExtensions{".doc", ".rtf", ".docx", ".rtfx"};
    return std::any_of(kExtensions.begin(), kExtensions.end(), [&](std::string_view known) {
        return std::equal(extension.begin(), extension.end(), known.begin(), known.end(),
                          [](char a, char b) { return AsciiLower(a) == b; });
    });
}

bool IsRichTextContent(std::string_view bytes) {
    return bytes.starts_with("{\\rtf");
}

bool LooksBinary(std::string_view bytes) {
    return bytes.substr(0, kBinaryProbeLength).find('\0') != std::string_view::npos;
}

bool IsBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}
