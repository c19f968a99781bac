#include "richedit/RtfTables.h"

#include "platform/Utf8.h"
#include "richedit/RtfCharsets.h"

#include <algorithm>

namespace detail {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

} // namespace

void AppendDecoded(std::string& out, std::string_view bytes, const Encoding& encoding) {
    for (std::size_t at = 0; at < bytes.size();) {
        const CharCode code = encoding.CodeAt(bytes, at);
        utf8::AppendUtf8(out, IsRawByteCode(code) ? kReplacement : code);
        at += encoding.CharLength(bytes, at);
    }
}

void RtfFontTable::BeginEntry(int fontNumber, const Encoding& documentEncoding) {
    FinishEntry(documentEncoding);
    number = fontNumber;
}

void RtfFontTable::AddByte(char byte) {
    if (static_cast<unsigned char>(byte) >= 0x20) {
        nameBytes += byte;
    }
}

void RtfFontTable::AddCode(char32_t code, const Encoding& documentEncoding) {
    const Encoding* encoding = EntryEncoding();
    AppendDecoded(name, nameBytes, encoding != nullptr ? *encoding : documentEncoding);
    nameBytes.clear();
    // Font names have no business with surrogate pairs or control characters.
    if (code >= 0xD800 && code <= 0xDFFF) {
        utf8::AppendUtf8(name, kReplacement);
    } else if (code >= 0x20) {
        utf8::AppendUtf8(name, code);
    }
}

void RtfFontTable::FinishEntry(const Encoding& documentEncoding) {
    const Encoding* encoding = EntryEncoding();
    AppendDecoded(name, nameBytes, encoding != nullptr ? *encoding : documentEncoding);
    const auto blank = [](char c) { return c == ' '; };
    const auto last = std::find_if_not(name.rbegin(), name.rend(), blank).base();
    const auto first = std::find_if_not(name.begin(), last, blank);
    if (first != last) {
        fonts[number] = {std::string(first, last), encoding, family, charset};
    }
    name.clear();
    nameBytes.clear();
    family.clear();
    charset = -1;
    codePage = 0;
}

const RtfFont* RtfFontTable::Find(int fontNumber) const {
    const auto found = fonts.find(fontNumber);
    return found != fonts.end() ? &found->second : nullptr;
}

const Encoding* RtfFontTable::EntryEncoding() const {
    return Encoding::ForCodePage(codePage != 0 ? codePage : CharsetCodePage(std::max(charset, 0)));
}

void RtfColorTable::FinishEntry() {
    if (red < 0 && green < 0 && blue < 0) {
        colors.push_back(clNone);
    } else {
        colors.push_back(RGB(unsigned(std::clamp(red, 0, 255)), unsigned(std::clamp(green, 0, 255)),
                             unsigned(std::clamp(blue, 0, 255))));
    }
    red = green = blue = -1;
}

TColor RtfColorTable::At(int index) const {
    return index >= 0 && std::size_t(index) < colors.size() ? colors[std::size_t(index)] : clNone;
}

} // namespace detail
