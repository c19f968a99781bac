#include "search/TextMatcher.h"

#include "platform/CaseMapping.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unicode/uchar.h>

namespace {

// Every code point whose lower case is `lowered`, itself included. The table of all mappings is
// built once, the first time a UTF-8 search ignores case.
std::vector<CharCode> CodesLoweringTo(CharCode lowered) {
    static std::once_flag built;
    static std::map<CharCode, std::vector<CharCode>> variants;
    std::call_once(built, [] {
        for (UChar32 code = 0; code <= 0x10FFFF; ++code) {
            if (code >= 0xD800 && code <= 0xDFFF)
                continue;
            const UChar32 mapped = u_tolower(code);
            if (mapped != code)
                variants[static_cast<CharCode>(mapped)].push_back(static_cast<CharCode>(code));
        }
    });
    std::vector<CharCode> codes{lowered};
    if (const auto found = variants.find(lowered); found != variants.end())
        codes.insert(codes.end(), found->second.begin(), found->second.end());
    return codes;
}

std::vector<std::string> SplitAtBreaks(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

} // namespace

std::string WithEditorLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            result += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            result.push_back(text[i]);
        }
    }
    return result;
}

BufferPosition EndOfText(BufferPosition start, std::string_view text) {
    const std::size_t lastBreak = text.rfind("\r\n");
    if (lastBreak == std::string_view::npos)
        return {start.line, start.column + text.size()};
    int breaks = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
         at = text.find("\r\n", at + 2))
        ++breaks;
    return {start.line + breaks, ByteColumn(text.size() - lastBreak - 2)};
}

TextMatcher::TextMatcher(std::string_view findText, CaseRule rule, const Encoding& encoding)
    : encoding(encoding), folding(rule == CaseRule::IgnoreCase),
      flat(WithEditorLineBreaks(findText)) {
    if (folding && !encoding.IsUtf8())
        lower = &CaseTablesFor(encoding).lower;
    const auto makePiece = [&](const std::string& text) {
        Piece piece;
        if (!folding) {
            piece.bytes = text;
        } else if (lower != nullptr) {
            for (const char byte : text)
                piece.bytes.push_back(static_cast<char>((*lower)[static_cast<std::uint8_t>(byte)]));
        } else {
            for (std::size_t pos = 0; pos < text.size(); pos += encoding.CharLength(text, pos))
                piece.codes.push_back(LowerCaseCode(encoding.CodeAt(text, pos), encoding));
        }
        return piece;
    };
    for (const std::string& part : SplitAtBreaks(flat))
        pieces.push_back(makePiece(part));
    flatPiece = makePiece(flat);
    ChooseAnchor();
}

// The search jumps with memchr between the bytes that can stand at one place of a match, the
// anchor. Common letters would stop it at every few bytes, so the anchor is the rarest byte of
// the first characters, by the letter frequencies of English text, where the bytes before it
// have a fixed length.
void TextMatcher::ChooseAnchor() {
    const auto rarity = [](std::uint8_t byte) {
        static constexpr std::string_view byFrequency = "zqjxkvbywgpfmucdlhrsnioate";
        const std::size_t letter =
            byFrequency.find(static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte));
        if (letter != std::string_view::npos)
            return 100 - static_cast<int>(letter); // z rarest
        return byte == ' ' ? 0 : byte >= 0x80 ? 90 : 60;
    };
    const Piece& piece = pieces.front();
    std::array<bool, 256> bytes{};
    int best = -1;
    const auto consider = [&](std::size_t offset, const std::array<bool, 256>& candidates) {
        int score = 1000;
        for (int byte = 0; byte < 256; ++byte)
            if (candidates[byte])
                score = std::min(score, rarity(static_cast<std::uint8_t>(byte)));
        if (score > best) {
            best = score;
            anchorOffset = offset;
            bytes = candidates;
        }
    };
    constexpr std::size_t Considered = 16;
    if (Utf8Folding()) {
        // In UTF-8 a character may lower from one of another length; only ASCII-only ones may
        // stand before the anchor.
        for (std::size_t i = 0; i < piece.codes.size() && i < Considered; ++i) {
            std::array<bool, 256> candidates{};
            bool asciiOnly = true;
            for (const CharCode code : CodesLoweringTo(piece.codes[i])) {
                const std::optional<std::string> encoded = encoding.Encode(code);
                if (encoded && !encoded->empty())
                    candidates[static_cast<std::uint8_t>(encoded->front())] = true;
                asciiOnly = asciiOnly && code < 0x80;
            }
            consider(i, candidates);
            if (!asciiOnly)
                break;
        }
    } else {
        for (std::size_t i = 0; i < piece.bytes.size() && i < Considered; ++i) {
            std::array<bool, 256> candidates{};
            for (int byte = 0; byte < 256; ++byte)
                candidates[byte] = lower != nullptr
                                       ? (*lower)[byte] == static_cast<std::uint8_t>(piece.bytes[i])
                                       : byte == static_cast<std::uint8_t>(piece.bytes[i]);
            consider(i, candidates);
        }
    }
    for (int byte = 0; byte < 256; ++byte)
        if (bytes[byte])
            anchorBytes.push_back(static_cast<char>(byte));
    anchorTable = bytes;
}

// UTF-8 only: pos does not fall inside a well-formed sequence.
bool TextMatcher::IsBoundary(std::string_view text, std::size_t pos) const {
    if (!encoding.IsUtf8() || pos == 0 || pos >= text.size() ||
        !utf8::IsUtf8Continuation(text[pos]))
        return true;
    std::size_t start = pos;
    while (start > 0 && pos - start < 3 && utf8::IsUtf8Continuation(text[start]))
        --start;
    return utf8::Utf8SequenceLength(text, start) <= pos - start;
}

std::optional<std::size_t> TextMatcher::PieceEndAt(std::string_view text, std::size_t column,
                                                   const Piece& piece) const {
    if (Utf8Folding()) {
        std::size_t pos = column;
        for (const CharCode expected : piece.codes) {
            if (pos >= text.size())
                return std::nullopt;
            const auto byte = static_cast<std::uint8_t>(text[pos]);
            // ASCII lowers within ASCII, the way of most text.
            if (byte < 0x80) {
                if (CharCode(byte >= 'A' && byte <= 'Z' ? byte + 32 : byte) != expected)
                    return std::nullopt;
                ++pos;
                continue;
            }
            if (LowerCaseCode(encoding.CodeAt(text, pos), encoding) != expected)
                return std::nullopt;
            pos += encoding.CharLength(text, pos);
        }
        return pos;
    }
    const std::size_t size = piece.bytes.size();
    if (column > text.size() || text.size() - column < size)
        return std::nullopt;
    if (lower == nullptr) {
        if (text.compare(column, size, piece.bytes) != 0 || !IsBoundary(text, column) ||
            !IsBoundary(text, column + size))
            return std::nullopt;
        return column + size;
    }
    for (std::size_t i = 0; i < size; ++i)
        if ((*lower)[static_cast<std::uint8_t>(text[column + i])] !=
            static_cast<std::uint8_t>(piece.bytes[i]))
            return std::nullopt;
    return column + size;
}

// A find text without line breaks: the first match inside one line.
std::optional<std::size_t> TextMatcher::FindPieceInLine(std::string_view text,
                                                        std::size_t column) const {
    const Piece& piece = pieces.front();
    const auto matchAt = [&](std::size_t anchor) -> std::optional<std::size_t> {
        if (anchor < column + anchorOffset)
            return std::nullopt;
        const std::size_t start = anchor - anchorOffset;
        if (IsBoundary(text, start) && PieceEndAt(text, start, piece))
            return start;
        return std::nullopt;
    };
    const std::size_t from = column + anchorOffset;
    if (!anchorBytes.empty() && anchorBytes.size() <= MaxJumpBytes) {
        std::array<std::size_t, MaxJumpBytes> next{};
        for (std::size_t i = 0; i < anchorBytes.size(); ++i)
            next[i] = text.find(anchorBytes[i], from);
        while (true) {
            const auto nearest = std::min_element(next.begin(), next.begin() + anchorBytes.size());
            if (*nearest == std::string_view::npos)
                return std::nullopt;
            if (const auto start = matchAt(*nearest))
                return start;
            *nearest = text.find(anchorBytes[nearest - next.begin()], *nearest + 1);
        }
    }
    for (std::size_t at = from; at < text.size(); ++at)
        if (anchorTable[static_cast<std::uint8_t>(text[at])])
            if (const auto start = matchAt(at))
                return start;
    return std::nullopt;
}

// Where a match of the piece would start to end at the end of the line.
std::optional<std::size_t> TextMatcher::SuffixStart(std::string_view text,
                                                    const Piece& piece) const {
    if (!Utf8Folding())
        return text.size() >= piece.bytes.size()
                   ? std::optional<std::size_t>(text.size() - piece.bytes.size())
                   : std::nullopt;
    std::size_t pos = text.size();
    for (std::size_t i = 0; i < piece.codes.size(); ++i) {
        if (pos == 0)
            return std::nullopt;
        pos = encoding.PreviousCharStart(text, pos);
    }
    return pos;
}

// A find text with line breaks, its first piece starting at start: the match's end.
std::optional<BufferPosition> TextMatcher::LinesMatchFrom(const SearchLines& lines,
                                                          BufferPosition start) const {
    const LineIndex line = start.line;
    const int lastPiece = static_cast<int>(pieces.size()) - 1;
    if (line.Value() + lastPiece >= lines.LineCount())
        return std::nullopt;
    for (int i = 0; i < lastPiece; ++i) {
        const std::string_view text = lines.LineText(line + i);
        if (PieceEndAt(text, i == 0 ? start.column.Value() : 0, pieces[i]) != text.size())
            return std::nullopt;
    }
    const std::optional<std::size_t> end =
        PieceEndAt(lines.LineText(line + lastPiece), 0, pieces.back());
    if (!end)
        return std::nullopt;
    return BufferPosition{line + lastPiece, ByteColumn(*end)};
}

std::optional<BufferRange> TextMatcher::FindFrom(const SearchLines& lines,
                                                 BufferPosition from) const {
    if (Empty())
        return std::nullopt;
    const int count = lines.LineCount();
    for (LineIndex line = from.line; line.Value() < count; ++line) {
        const std::string_view text = lines.LineText(line);
        const std::size_t column = line == from.line ? from.column.Value() : 0;
        if (pieces.size() == 1) {
            if (const auto at = FindPieceInLine(text, column))
                return BufferRange{{line, ByteColumn(*at)},
                                   {line, ByteColumn(*PieceEndAt(text, *at, pieces.front()))}};
            continue;
        }
        const std::optional<std::size_t> start = SuffixStart(text, pieces.front());
        if (!start || *start < column)
            continue;
        if (const auto end = LinesMatchFrom(lines, {line, ByteColumn(*start)}))
            return BufferRange{{line, ByteColumn(*start)}, *end};
    }
    return std::nullopt;
}

std::optional<BufferPosition> TextMatcher::MatchEndAt(const SearchLines& lines,
                                                      BufferPosition at) const {
    if (Empty())
        return std::nullopt;
    if (pieces.size() > 1)
        return LinesMatchFrom(lines, at);
    const std::optional<std::size_t> end =
        PieceEndAt(lines.LineText(at.line), at.column.Value(), pieces.front());
    if (!end)
        return std::nullopt;
    return BufferPosition{at.line, ByteColumn(*end)};
}

std::optional<std::size_t> TextMatcher::MatchEndingAt(std::string_view text) const {
    if (Empty())
        return std::nullopt;
    if (Utf8Folding()) {
        std::size_t pos = text.size();
        for (auto code = flatPiece.codes.rbegin(); code != flatPiece.codes.rend(); ++code) {
            if (pos == 0)
                return std::nullopt;
            const std::size_t previous = encoding.PreviousCharStart(text, pos);
            if (LowerCaseCode(encoding.CodeAt(text, previous), encoding) != *code)
                return std::nullopt;
            pos = previous;
        }
        return pos;
    }
    if (text.size() < flatPiece.bytes.size())
        return std::nullopt;
    const std::size_t start = text.size() - flatPiece.bytes.size();
    if (PieceEndAt(text, start, flatPiece) != text.size())
        return std::nullopt;
    return start;
}

std::optional<BufferRange> LocateText(const SearchLines& lines, const TextMatcher& matcher,
                                      BufferPosition start) {
    return matcher.FindFrom(lines, start);
}
