#include "search/TextMatcher.h"

#include "platform/CaseMapping.h"
#include "platform/detail/Utf8.h"

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
    return MakePosition(start.line.Value() + breaks, text.size() - lastBreak - 2);
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
    if (Utf8Folding() && !pieces.front().codes.empty()) {
        for (const CharCode code : CodesLoweringTo(pieces.front().codes.front())) {
            const std::optional<std::string> bytes = encoding.Encode(code);
            if (bytes && !bytes->empty())
                firstBytes[static_cast<std::uint8_t>(bytes->front())] = true;
        }
    }
}

// UTF-8 only: pos does not fall inside a well-formed sequence.
bool TextMatcher::IsBoundary(std::string_view text, std::size_t pos) const {
    if (!encoding.IsUtf8() || pos == 0 || pos >= text.size() ||
        !detail::IsUtf8Continuation(text[pos]))
        return true;
    std::size_t start = pos;
    while (start > 0 && pos - start < 3 && detail::IsUtf8Continuation(text[start]))
        --start;
    return detail::Utf8SequenceLength(text, start) <= pos - start;
}

std::optional<std::size_t> TextMatcher::PieceEndAt(std::string_view text, std::size_t column,
                                                   const Piece& piece) const {
    if (Utf8Folding()) {
        std::size_t pos = column;
        for (const CharCode expected : piece.codes) {
            if (pos >= text.size())
                return std::nullopt;
            const auto byte = static_cast<std::uint8_t>(text[pos]);
            const CharCode code = byte < 0x80 ? byte : encoding.CodeAt(text, pos);
            if (LowerCaseCode(code, encoding) != expected)
                return std::nullopt;
            pos += byte < 0x80 ? 1 : encoding.CharLength(text, pos);
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
    if (!folding) {
        for (std::size_t at = text.find(piece.bytes, column); at != std::string_view::npos;
             at = text.find(piece.bytes, at + 1))
            if (IsBoundary(text, at) && IsBoundary(text, at + piece.bytes.size()))
                return at;
        return std::nullopt;
    }
    if (lower != nullptr) {
        const std::size_t size = piece.bytes.size();
        if (text.size() < size)
            return std::nullopt;
        const auto first = static_cast<std::uint8_t>(piece.bytes.front());
        const auto& table = *lower;
        for (std::size_t at = column, last = text.size() - size; at <= last; ++at)
            if (table[static_cast<std::uint8_t>(text[at])] == first && PieceEndAt(text, at, piece))
                return at;
        return std::nullopt;
    }
    for (std::size_t at = column; at < text.size();) {
        const auto byte = static_cast<std::uint8_t>(text[at]);
        if (firstBytes[byte] && PieceEndAt(text, at, piece))
            return at;
        at += byte < 0x80 ? 1 : encoding.CharLength(text, at);
    }
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

// A find text with line breaks, its first piece starting at column of line: the match's end.
std::optional<BufferPosition> TextMatcher::LinesMatchFrom(const SearchLines& lines, LineIndex line,
                                                          std::size_t column) const {
    const int lastPiece = static_cast<int>(pieces.size()) - 1;
    if (line.Value() + lastPiece >= lines.LineCount())
        return std::nullopt;
    for (int i = 0; i < lastPiece; ++i) {
        const std::string_view text = lines.LineText(line + i);
        if (PieceEndAt(text, i == 0 ? column : 0, pieces[i]) != text.size())
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
    for (LineIndex line = from.line; line.Value() < count; line = line + 1) {
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
        if (const auto end = LinesMatchFrom(lines, line, *start))
            return BufferRange{{line, ByteColumn(*start)}, *end};
    }
    return std::nullopt;
}

std::optional<BufferPosition> TextMatcher::MatchEndAt(const SearchLines& lines,
                                                      BufferPosition at) const {
    if (Empty())
        return std::nullopt;
    if (pieces.size() > 1)
        return LinesMatchFrom(lines, at.line, at.column.Value());
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
