#pragma once
// Pixel geometry of one editor font: character advances (cached, in 64ths of a pixel, so that
// x positions add up exactly whatever order they are summed in), tab stops, line height, and
// the walk over a line's characters that turns byte columns into x positions and back. Knows
// nothing of carets or highlighters.

#include "codeedit/SynEditLineCheckpoints.h"
#include "platform/Encoding.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// A pixel position or extent as int for Qt's geometry, clamped to +-2^30 so that a view's width
// added to it cannot overflow either: a line of hundreds of MB is wider than int can count.
int ClampedPixels(qreal x);

// What is drawn for a character: control characters as their control pictures, bytes that are
// no character of the encoding as the replacement character, so every byte stays visible.
char32_t DisplayCode(CharCode code);
// The same substitution on text that came through ToQString (same length in UTF-16 units).
void SubstituteDisplayCodes(QString& text);

class TSynTextMetrics {
public:
    TSynTextMetrics(const QFont& font, int tabColumns);

    const QFont& Font() const { return font; }
    qreal Advance(char32_t displayCode) {
        if (displayCode < latin.size() && latin[displayCode] >= 0)
            return latin[displayCode];
        return MeasureAdvance(displayCode);
    }
    // The advance of an ASCII byte as it is shown (control characters as their pictures):
    // looked up for nearly every byte a walk passes.
    qreal AsciiAdvance(unsigned char byte) {
        const qreal cached = ascii[byte & 0x7F];
        return cached >= 0 ? cached : MeasureAscii(byte & 0x7F);
    }
    // The advances of the ASCII bytes in 64ths of a pixel, for walks that add them up at once.
    struct AsciiAdvances {
        std::array<std::int64_t, 128> sixtyFourths;
        // The one advance of every byte from space to '~' (a fixed-pitch font); -1 when they
        // differ.
        std::int64_t printable;
    };
    const AsciiAdvances& AsciiSixtyFourths();
    qreal SpaceWidth() const { return spaceWidth; }
    qreal TabWidth() const { return tabWidth; }
    // No character is wider than this (a tab at most a whole tab stop).
    qreal MaxAdvance() const { return maxAdvance; }
    qreal NextTabStop(qreal x) const;
    int LineHeight() const { return lineHeight; }
    int Ascent() const { return ascent; }

private:
    qreal MeasureAdvance(char32_t displayCode);
    qreal MeasureAscii(unsigned char byte);
    QFont font;
    QFontMetricsF metrics;
    std::array<qreal, 256> latin{};
    std::array<qreal, 128> ascii{};
    std::optional<AsciiAdvances> asciiSixtyFourths;
    QHash<char32_t, qreal> others;
    qreal spaceWidth;
    qreal tabWidth;
    qreal maxAdvance;
    int lineHeight;
    int ascent;
};

// One character of a line as the walk sees it.
struct TSynCharBox {
    std::size_t start;  // byte offset in the line
    std::size_t length; // bytes
    qreal x;            // left edge, relative to the walk's origin
    qreal width;
    bool tab;
};

// Walks the characters of line[from, to); x is startX at `from`, tab stops count from x 0. The
// visitor returns false to stop early.
template <typename Visitor>
void WalkChars(std::string_view line, std::size_t from, std::size_t to, qreal startX,
               const Encoding& encoding, TSynTextMetrics& metrics, Visitor&& visit) {
    qreal x = startX;
    std::size_t pos = from;
    const bool singleByte = !encoding.IsUtf8();
    while (pos < to) {
        const unsigned char byte = static_cast<unsigned char>(line[pos]);
        TSynCharBox box{pos, 1, x, 0, false};
        if (byte == '\t') {
            box.tab = true;
            box.width = metrics.NextTabStop(x) - x;
        } else if (singleByte) {
            box.width = metrics.Advance(DisplayCode(encoding.ByteToCode(byte)));
        } else if (byte < 0x80) {
            box.width = metrics.AsciiAdvance(byte);
        } else {
            box.length = encoding.CharLength(line, pos);
            box.width = metrics.Advance(DisplayCode(encoding.CodeAt(line, pos)));
        }
        if (!visit(box))
            return;
        x += box.width;
        pos += box.length;
    }
}

// x positions remembered along a long line, and the walk that makes them.
using TSynXCheckpoints = TSynLineCheckpoints<qreal>;
// The leap of that walk: from the boundary `from` at x to the first character start at or past
// `to`, with what WalkChars would add up on the way.
std::optional<TSynXCheckpoints::Point> LeapOverX(std::string_view line, std::size_t from, qreal x,
                                                 std::size_t to, const Encoding& encoding,
                                                 TSynTextMetrics& metrics);
inline auto XWalk(std::string_view line, const Encoding& encoding, TSynTextMetrics& metrics) {
    return TSynLineWalk{
        [line, &encoding, &metrics](std::size_t from, qreal x, auto&& visit) {
            WalkChars(line, from, line.size(), x, encoding, metrics, [&](const TSynCharBox& box) {
                return visit(TSynXCheckpoints::Step{box.start, box.length, box.x, box.x + box.width,
                                                    box.tab});
            });
        },
        [line, &encoding, &metrics](std::size_t from, qreal x, std::size_t to) {
            return LeapOverX(line, from, x, to, encoding, metrics);
        }};
}

// x of byte column `column` in line[from, ...), where `from` is at fromX (tab stops count from
// x 0); columns past the end count as spaces (the caret may stand beyond the end of a line).
qreal XOfColumn(std::string_view line, std::size_t from, std::size_t to, std::size_t column,
                const Encoding& encoding, TSynTextMetrics& metrics, qreal fromX = 0);

// The byte column nearest to x in line[from, to), `from` being at fromX; past `to` it counts
// whole spaces beyond when `pastEnd` is set, else stops at `to`.
std::size_t ColumnAtX(std::string_view line, std::size_t from, std::size_t to, qreal x,
                      const Encoding& encoding, TSynTextMetrics& metrics, bool pastEnd,
                      qreal fromX = 0);

// Width of line[from, to).
qreal TextWidth(std::string_view line, std::size_t from, std::size_t to, const Encoding& encoding,
                TSynTextMetrics& metrics);
