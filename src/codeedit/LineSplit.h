#pragma once
// Cutting a block of text into lines, the one rule shared by loading and SetText. It reports
// line spans and which break characters it saw; it does not store anything.

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace linesplit {

// Loading ends a line at a NUL byte too (and drops it); SetText keeps NUL bytes in the line.
enum class NulBreaksLine { No, Yes };

struct BreaksSeen {
    bool cr = false;
    bool lf = false;
};

// What ends a line: its break characters, or the end of the text.
enum class LineEnd : std::uint8_t { CrLf, Lf, Cr, Nul, None };

// Nonzero when some byte of word is zero (exact, no false alarms for the whole word).
constexpr std::uint64_t HasZeroByte(std::uint64_t word) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t highs = 0x8080808080808080ULL;
    return (word - ones) & ~word & highs;
}

inline bool IsBreak(char c, NulBreaksLine nul) {
    return c == '\n' || c == '\r' || (c == '\0' && nul == NulBreaksLine::Yes);
}

// First NUL (when it breaks), CR or LF in [p, end), or end. Sixteen (SSE2) or eight bytes a
// step: this pass over a whole file is most of the cost of loading it.
inline const char* FindBreak(const char* p, const char* end, NulBreaksLine nul) {
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    const __m128i nulMatch = nul == NulBreaksLine::Yes ? _mm_setzero_si128() : lf;
    while (end - p >= 16) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, cr)),
                         _mm_cmpeq_epi8(bytes, nulMatch));
        if (int mask = _mm_movemask_epi8(hits))
            return p + std::countr_zero(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    const std::uint64_t nulMask = nul == NulBreaksLine::Yes ? ~0ULL : 0;
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (HasZeroByte(word ^ (ones * '\n')) | HasZeroByte(word ^ (ones * '\r')) |
            (HasZeroByte(word) & nulMask))
            break;
        p += 8;
    }
    while (p < end && !IsBreak(*p, nul))
        ++p;
    return p;
}

// Calls onLine(first, length, end) for each line of [begin, end). CR LF is one break; CR alone
// and LF alone are one each (so LF CR is two); a break at the very end adds no empty line.
template <typename OnLine>
BreaksSeen SplitLines(const char* begin, const char* end, NulBreaksLine nul, OnLine onLine) {
    BreaksSeen seen;
    const char* p = begin;
    while (p < end) {
        const char* const first = p;
        p = FindBreak(p, end, nul);
        const auto length = static_cast<std::size_t>(p - first);
        LineEnd lineEnd = LineEnd::None;
        if (p == end) {
            // the last line, without a break
        } else if (*p == '\0') {
            ++p;
            lineEnd = LineEnd::Nul;
        } else if (*p == '\r') {
            ++p;
            seen.cr = true;
            lineEnd = LineEnd::Cr;
            if (p < end && *p == '\n') {
                ++p;
                seen.lf = true;
                lineEnd = LineEnd::CrLf;
            }
        } else {
            ++p;
            seen.lf = true;
            lineEnd = LineEnd::Lf;
        }
        onLine(first, length, lineEnd);
    }
    return seen;
}

} // namespace linesplit
