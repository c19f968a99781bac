#include "codeedit/qt/SynEditWrapRows.h"

#include <algorithm>

namespace {

// Walks the rows of text from the row start `from` and hands each later row start to found,
// until found returns false or the text ends. Which rows follow a row start depends on the text
// from there on alone, so a walk may start at any row start.
template <typename Found>
void WalkRows(std::string_view text, std::size_t from, qreal width, const Encoding& encoding,
              TSynTextMetrics& metrics, Found&& found) {
    std::size_t rowStart = from, breakAfterBlank = from;
    qreal x = 0;
    WalkChars(text, from, text.size(), 0, encoding, metrics, [&](const TSynCharBox& box) {
        const bool blank = box.tab || text[box.start] == ' ';
        const qreal advance = box.tab ? metrics.NextTabStop(x) - x : box.width;
        if (!blank && x + advance > width && box.start > rowStart) {
            rowStart = breakAfterBlank > rowStart ? breakAfterBlank : box.start;
            if (!found(rowStart))
                return false;
            x = TextWidth(text, rowStart, box.start, encoding, metrics);
        }
        x += box.tab ? metrics.NextTabStop(x) - x : box.width;
        if (blank)
            breakAfterBlank = box.start + box.length;
        return true;
    });
}

} // namespace

std::vector<std::size_t> WrapRowStarts(std::string_view text, qreal width, const Encoding& encoding,
                                       TSynTextMetrics& metrics) {
    std::vector<std::size_t> starts{0};
    WalkRows(text, 0, width, encoding, metrics, [&](std::size_t start) {
        starts.push_back(start);
        return true;
    });
    return starts;
}

void RewrapAfterEdit(std::vector<std::size_t>& starts, std::string_view text, std::size_t prefix,
                     std::size_t suffix, std::size_t oldLength, qreal width,
                     const Encoding& encoding, TSynTextMetrics& metrics) {
    suffix = std::min({suffix, oldLength, text.size()});
    const std::size_t newTail = text.size() - suffix;
    prefix = std::min({prefix, oldLength - suffix, newTail});
    // The row holding the edit may now start earlier (its first word may fit the row before):
    // walk from the row before it, whose start the edit cannot move.
    const auto holding = std::upper_bound(starts.begin(), starts.end(), prefix) - 1;
    const std::size_t restart =
        holding == starts.begin() ? 0 : std::size_t(holding - starts.begin()) - 1;
    std::vector<std::size_t> old(starts.begin() + std::ptrdiff_t(restart) + 1, starts.end());
    starts.resize(restart + 1);
    // Old row starts in the unchanged end, where they may meet the new ones.
    const auto oldTail = std::lower_bound(old.begin(), old.end(), oldLength - suffix);
    auto realigned = old.end();
    WalkRows(text, starts.back(), width, encoding, metrics, [&](std::size_t start) {
        starts.push_back(start);
        if (suffix == 0 || start < newTail)
            return true;
        const std::size_t before = start - newTail + (oldLength - suffix);
        const auto same = std::lower_bound(oldTail, old.end(), before);
        if (same == old.end() || *same != before)
            return true;
        realigned = same + 1;
        return false;
    });
    for (auto row = realigned; row != old.end(); ++row)
        starts.push_back(*row - (oldLength - suffix) + newTail);
}
