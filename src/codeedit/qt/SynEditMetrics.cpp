#include "codeedit/qt/SynEditMetrics.h"

#include "platform/Utf8.h"

#include <QFontInfo>
#include <algorithm>
#include <cmath>

namespace {

// Font engines give advances in 64ths already; rounding makes sure of it.
qreal InSixtyFourths(qreal width) {
    return std::round(width * 64) / 64;
}

} // namespace

int ClampedPixels(qreal x) {
    constexpr qreal limit = 1 << 30;
    return static_cast<int>(std::clamp(x, -limit, limit));
}

char32_t DisplayCode(CharCode code) {
    if (code < 0x20 && code != '\t')
        return 0x2400 + code;
    if (code == 0x7F)
        return 0x2421;
    if (IsRawByteCode(code))
        return 0xFFFD;
    return code;
}

void SubstituteDisplayCodes(QString& text) {
    const qsizetype size = text.size();
    QChar* data = text.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = data[i].unicode();
        if (unit < 0x20 && unit != '\t')
            data[i] = QChar(char16_t(0x2400 + unit));
        else if (unit == 0x7F)
            data[i] = QChar(char16_t(0x2421));
        else if (QChar::isHighSurrogate(unit) && i + 1 < size && data[i + 1].isLowSurrogate())
            ++i;
        else if (QChar::isSurrogate(unit))
            data[i] = QChar(char16_t(0xFFFD));
    }
}

TSynTextMetrics::TSynTextMetrics(const QFont& font, int tabColumns)
    : font(font), metrics(font),
      spaceWidth(InSixtyFourths(metrics.horizontalAdvance(QLatin1Char(' ')))),
      tabWidth(spaceWidth * std::max(1, tabColumns)),
      maxAdvance(std::max({InSixtyFourths(metrics.maxWidth()), tabWidth, 2 * spaceWidth})),
      lineHeight(std::max(1, int(std::ceil(metrics.height())))),
      ascent(int(std::ceil(metrics.ascent()))) {
    latin.fill(-1);
    ascii.fill(-1);
}

qreal TSynTextMetrics::MeasureAscii(unsigned char byte) {
    return ascii[byte] = Advance(DisplayCode(byte));
}

qreal TSynTextMetrics::MeasureAdvance(char32_t displayCode) {
    if (displayCode < latin.size()) {
        qreal& cached = latin[displayCode];
        if (cached < 0)
            cached = InSixtyFourths(metrics.horizontalAdvance(QChar(char16_t(displayCode))));
        return cached;
    }
    auto found = others.constFind(displayCode);
    if (found != others.constEnd())
        return *found;
    const qreal width =
        InSixtyFourths(metrics.horizontalAdvance(QString::fromUcs4(&displayCode, 1)));
    others.insert(displayCode, width);
    return width;
}

const TSynTextMetrics::AsciiAdvances& TSynTextMetrics::AsciiSixtyFourths() {
    if (!asciiSixtyFourths) {
        AsciiAdvances advances{};
        for (unsigned byte = 0; byte < advances.sixtyFourths.size(); ++byte)
            advances.sixtyFourths[byte] =
                static_cast<std::int64_t>(AsciiAdvance(static_cast<unsigned char>(byte)) * 64);
        const auto printable = advances.sixtyFourths.begin() + ' ';
        const auto end = advances.sixtyFourths.begin() + '~' + 1;
        advances.printable =
            std::all_of(printable, end, [&](std::int64_t advance) { return advance == *printable; })
                ? *printable
                : -1;
        asciiSixtyFourths = advances;
    }
    return *asciiSixtyFourths;
}

qreal TSynTextMetrics::NextTabStop(qreal x) const {
    // A hair of tolerance so a run that ends exactly on a stop moves a whole tab on.
    return (std::floor(x / tabWidth + 1e-6) + 1) * tabWidth;
}

std::optional<TSynXCheckpoints::Point> LeapOverX(std::string_view line, std::size_t from, qreal x,
                                                 std::size_t to, const Encoding& encoding,
                                                 TSynTextMetrics& metrics) {
    if (!encoding.IsUtf8())
        return TSynXCheckpoints::StepTo(XWalk(line, encoding, metrics), from, x, to);
    const TSynTextMetrics::AsciiAdvances& advances = metrics.AsciiSixtyFourths();
    const std::array<std::int64_t, 128>& ascii = advances.sixtyFourths;
    const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
    const std::size_t end = std::min(to, line.size());
    // Advances are whole 64ths, so adding them as integers gives what adding them one by one
    // as qreal does; a tab stop is found from the x reached, as the walk finds it.
    std::int64_t pending = 0;
    bool tab = false;
    std::size_t pos = from;
    while (pos < end) {
        // In a fixed-pitch font a run of printable ASCII is as wide as it is long.
        if (advances.printable >= 0)
            while (end - pos >= 16 && detail::AllPrintable(detail::EightBytes(line.data() + pos)) &&
                   detail::AllPrintable(detail::EightBytes(line.data() + pos + 8))) {
                pending += 16 * advances.printable;
                pos += 16;
            }
        if (end - pos >= 8) {
            const unsigned plain = detail::PlainAsciiPrefix(detail::EightBytes(line.data() + pos));
            for (unsigned i = 0; i < plain; ++i)
                pending += ascii[bytes[pos + i]];
            pos += plain;
            if (plain == 8)
                continue;
        }
        if (bytes[pos] == '\t') {
            x += qreal(pending) / 64;
            pending = 0;
            x += metrics.NextTabStop(x) - x;
            tab = true;
            ++pos;
        } else if (bytes[pos] < 0x80) {
            pending += ascii[bytes[pos]];
            ++pos;
        } else {
            const std::size_t length = utf8::Utf8SequenceLength(line, pos);
            const CharCode code = length > 1 ? utf8::DecodeUtf8Sequence(line, pos, length)
                                             : encoding.CodeAt(line, pos);
            pending += static_cast<std::int64_t>(metrics.Advance(DisplayCode(code)) * 64);
            pos += length;
        }
    }
    if (pos >= line.size())
        return std::nullopt;
    return TSynXCheckpoints::Point{pos, x + qreal(pending) / 64, tab};
}

qreal XOfColumn(std::string_view line, std::size_t from, std::size_t to, std::size_t column,
                const Encoding& encoding, TSynTextMetrics& metrics, qreal fromX) {
    qreal x = fromX;
    std::size_t reached = from;
    WalkChars(line, from, std::min(to, line.size()), fromX, encoding, metrics,
              [&](const TSynCharBox& box) {
                  if (box.start >= column)
                      return false;
                  x = box.x + box.width;
                  reached = box.start + box.length;
                  return true;
              });
    if (column > reached && reached >= std::min(to, line.size()))
        x += qreal(column - reached) * metrics.SpaceWidth();
    return x;
}

std::size_t ColumnAtX(std::string_view line, std::size_t from, std::size_t to, qreal x,
                      const Encoding& encoding, TSynTextMetrics& metrics, bool pastEnd,
                      qreal fromX) {
    to = std::min(to, line.size());
    std::size_t column = to;
    qreal end = fromX;
    bool found = false;
    WalkChars(line, from, to, fromX, encoding, metrics, [&](const TSynCharBox& box) {
        if (x < box.x + box.width / 2) {
            column = box.start;
            found = true;
            return false;
        }
        end = box.x + box.width;
        return true;
    });
    if (found || !pastEnd || x <= end)
        return column;
    return to + std::size_t(std::lround((x - end) / metrics.SpaceWidth()));
}

qreal TextWidth(std::string_view line, std::size_t from, std::size_t to, const Encoding& encoding,
                TSynTextMetrics& metrics) {
    qreal width = 0;
    WalkChars(line, from, to, 0, encoding, metrics, [&](const TSynCharBox& box) {
        width = box.x + box.width;
        return true;
    });
    return width;
}
