#include "app/DocumentText.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Text files have no NUL bytes; binary formats have them within their first blocks.
constexpr std::size_t kBinaryProbeLength = 64 * 1024;

const char* Find(const char* from, const char* end, char c) {
    const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return found != nullptr ? static_cast<const char*>(found) : end;
}

// Calls visit(offset, length) for every line break of the text in order: CR LF (length 2), a
// lone CR or a lone LF (length 1). memchr keeps this near memory speed on large files.
template <typename Visit> void ForEachLineBreak(std::string_view text, Visit visit) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* cr = Find(begin, end, '\r');
    const char* lf = Find(begin, end, '\n');
    while (cr != end || lf != end) {
        if (cr < lf) {
            const bool crLf = lf != end && cr + 1 == lf;
            visit(static_cast<std::size_t>(cr - begin), crLf ? 2u : 1u);
            if (crLf) {
                lf = Find(lf + 1, end, '\n');
            }
            cr = Find(cr + 1, end, '\r');
        } else {
            visit(static_cast<std::size_t>(lf - begin), 1u);
            lf = Find(lf + 1, end, '\n');
        }
    }
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string ToPlainEditorText(std::string bytes) {
    std::size_t loneBreaks = 0;
    ForEachLineBreak(bytes, [&](std::size_t, std::size_t length) { loneBreaks += length == 1; });
    if (loneBreaks == 0) {
        return bytes;
    }
    std::string text;
    text.reserve(bytes.size() + loneBreaks);
    std::size_t copied = 0;
    ForEachLineBreak(bytes, [&](std::size_t offset, std::size_t length) {
        text.append(bytes, copied, offset - copied);
        text += "\r\n";
        copied = offset + length;
    });
    text.append(bytes, copied);
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

bool LooksBinaryText(std::string_view bytes, const Encoding& encoding) {
    if (LooksBinary(bytes))
        return true;
    const std::string_view probe = bytes.substr(0, kBinaryProbeLength);
    // A character cut where the probe ends is no fault of the file.
    constexpr std::size_t kLongestCharacter = 4;
    const std::size_t end = probe.size() < bytes.size() && probe.size() > kLongestCharacter
                                ? probe.size() - kLongestCharacter
                                : probe.size();
    for (std::size_t pos = 0; pos < end; pos += encoding.CharLength(probe, pos)) {
        if (IsRawByteCode(encoding.CodeAt(probe, pos)))
            return true;
    }
    return false;
}

bool IsBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}
