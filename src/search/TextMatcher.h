#pragma once
// Literal matching of a find text in document lines: byte for byte, or in the locale lower-case
// form of both sides. Lower case is the simple mapping of one character to one, so a match
// always has as many characters as the find text. It changes nothing and knows no dialogs.

#include "search/SearchDocument.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class CaseRule { MatchCase, IgnoreCase };

// The text with every lone CR and every lone LF made CR LF, the only break the editor holds:
// a selection can never fall between the two bytes of a break.
std::string WithEditorLineBreaks(std::string_view text);

// Where text inserted at start ends; text separates lines with CR LF.
BufferPosition EndOfText(BufferPosition start, std::string_view text);

class TextMatcher {
public:
    TextMatcher(std::string_view findText, CaseRule rule, const Encoding& encoding);

    bool Empty() const { return flat.empty(); }
    // The find text with its breaks as CR LF.
    const std::string& FindText() const { return flat; }

    // The first match that starts at or after from (the search of Find Next).
    std::optional<BufferRange> FindFrom(const SearchLines& lines, BufferPosition from) const;
    // The end of the match that starts exactly at `at`, if one does.
    std::optional<BufferPosition> MatchEndAt(const SearchLines& lines, BufferPosition at) const;
    // The start of the match that ends exactly at the end of text, if one does; text is whole
    // lines joined by CR LF.
    std::optional<std::size_t> MatchEndingAt(std::string_view text) const;

private:
    // The find text between two of its line breaks.
    struct Piece {
        std::string bytes;           // lowered for a code page without case match
        std::vector<CharCode> codes; // lowered codes, UTF-8 without case match only
    };
    bool Utf8Folding() const { return folding && encoding.IsUtf8(); }
    std::optional<std::size_t> PieceEndAt(std::string_view text, std::size_t column,
                                          const Piece& piece) const;
    std::optional<std::size_t> FindPieceInLine(std::string_view text, std::size_t column) const;
    std::optional<std::size_t> SuffixStart(std::string_view text, const Piece& piece) const;
    std::optional<BufferPosition> LinesMatchFrom(const SearchLines& lines,
                                                 BufferPosition start) const;
    bool IsBoundary(std::string_view text, std::size_t pos) const;
    void ChooseAnchor();

    const Encoding& encoding;
    bool folding;
    std::string flat;
    std::vector<Piece> pieces;
    Piece flatPiece;
    // Code pages without case match: the lower-case table.
    const std::array<std::uint8_t, 256>* lower = nullptr;
    // The place of a one-line find text the search looks for first, and the bytes that can
    // stand there, as a list and as a table.
    static constexpr std::size_t MaxJumpBytes = 4;
    std::size_t anchorOffset = 0;
    std::vector<char> anchorBytes;
    std::array<bool, 256> anchorTable{};
};

// The search of Find Next: the first match of the find text at or after start.
std::optional<BufferRange> LocateText(const SearchLines& lines, const TextMatcher& matcher,
                                      BufferPosition start);
