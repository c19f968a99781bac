#pragma once
// The font charsets of RTF and the Windows code pages they stand for. Word processors decode a
// font's \'hh bytes by its charset, not by \ansicpg, so the writer must give both.

#include <algorithm>
#include <array>

namespace detail {

struct RtfCharset {
    int charset;
    int codePage;
};

inline constexpr std::array kRtfCharsets = std::to_array<RtfCharset>({
    {0, 1252},
    {161, 1253},
    {162, 1254},
    {163, 1258},
    {177, 1255},
    {178, 1256},
    {186, 1257},
    {204, 1251},
    {238, 1250},
});

// 0 for a charset that names no code page of its own (ANSI, default, symbol, unknown): the text
// then follows the document's code page.
constexpr int CharsetCodePage(int charset) {
    const auto found =
        std::find_if(kRtfCharsets.begin() + 1, kRtfCharsets.end(),
                     [&](const RtfCharset& entry) { return entry.charset == charset; });
    return found != kRtfCharsets.end() ? found->codePage : 0;
}

// -1 for a code page no charset stands for.
constexpr int CodePageCharset(int codePage) {
    const auto found =
        std::find_if(kRtfCharsets.begin(), kRtfCharsets.end(),
                     [&](const RtfCharset& entry) { return entry.codePage == codePage; });
    return found != kRtfCharsets.end() ? found->charset : -1;
}

} // namespace detail
