#include "codeedit/qt/SynEditWrapRows.h"

#include <algorithm>

namespace {

// Rows walked past an edit in search of the old ones before the rest is left to be made when
// asked for: rows that fall in line do so within a few.
constexpr std::size_t kRealignRows = 64;

// Walks the rows of text from the row start `from` and hands each later row start to found,
// until found returns false or the text ends; true when the text ended. Which rows follow a
// row start depends on the text from there on alone, so a walk may start at any row start.
template <typename Found>
bool WalkRows(std::string_view text, std::size_t from, qreal width, const Encoding& encoding,
              TSynTextMetrics& metrics, Found&& found) {
    std::size_t rowStart = from, breakAfterBlank = from;
    qreal x = 0;
    bool ended = true;
    WalkChars(text, from, text.size(), 0, encoding, metrics, [&](const TSynCharBox& box) {
        const bool blank = box.tab || text[box.start] == ' ';
        const qreal advance = box.tab ? metrics.NextTabStop(x) - x : box.width;
        if (!blank && x + advance > width && box.start > rowStart) {
            rowStart = breakAfterBlank > rowStart ? breakAfterBlank : box.start;
            if (!found(rowStart)) {
                ended = false;
                return false;
            }
            x = TextWidth(text, rowStart, box.start, encoding, metrics);
        }
        x += box.tab ? metrics.NextTabStop(x) - x : box.width;
        if (blank)
            breakAfterBlank = box.start + box.length;
        return true;
    });
    return ended;
}

// The rows of layout past `after`, moved by what an edit made of oldTail: newTail.
std::vector<std::size_t> MovedPast(const std::vector<std::size_t>& layout, std::size_t after,
                                   std::size_t oldTail, std::size_t newTail) {
    std::vector<std::size_t> moved;
    for (auto row = std::upper_bound(layout.begin(), layout.end(), after); row != layout.end();
         ++row)
        moved.push_back(*row - oldTail + newTail);
    return moved;
}

} // namespace

std::vector<std::size_t> WrapRowStarts(std::string_view text, qreal width, const Encoding& encoding,
                                       TSynTextMetrics& metrics) {
    TSynRowStarts rows;
    ExtendRows(rows, text, SIZE_MAX, SIZE_MAX, width, encoding, metrics);
    return std::move(rows.starts);
}

void ExtendRows(TSynRowStarts& rows, std::string_view text, std::size_t column, std::size_t count,
                qreal width, const Encoding& encoding, TSynTextMetrics& metrics) {
    const auto enough = [&] { return rows.starts.size() > count && rows.starts.back() > column; };
    if (rows.complete || enough())
        return;
    bool met = false;
    const bool ended =
        WalkRows(text, rows.starts.back(), width, encoding, metrics, [&](std::size_t start) {
            rows.starts.push_back(start);
            const auto same = std::lower_bound(rows.aside.begin(), rows.aside.end(), start);
            if (same != rows.aside.end() && *same == start) {
                rows.starts.insert(rows.starts.end(), same + 1, rows.aside.end());
                met = true;
                return false;
            }
            return !enough();
        });
    rows.complete = ended || met;
    if (rows.complete)
        rows.aside.clear();
}

void RewrapAfterEdit(TSynRowStarts& rows, std::string_view text, std::size_t prefix,
                     std::size_t suffix, std::size_t oldLength, qreal width,
                     const Encoding& encoding, TSynTextMetrics& metrics) {
    std::vector<std::size_t>& starts = rows.starts;
    suffix = std::min({suffix, oldLength, text.size()});
    const std::size_t newTail = text.size() - suffix, oldTail = oldLength - suffix;
    prefix = std::min({prefix, oldTail, newTail});
    // The row holding the edit may now start earlier (its first word may fit the row before):
    // walk from the row before it, whose start the edit cannot move.
    const auto holding = std::upper_bound(starts.begin(), starts.end(), prefix) - 1;
    const std::size_t restart =
        holding == starts.begin() ? 0 : std::size_t(holding - starts.begin()) - 1;
    const std::vector<std::size_t> old(starts.begin() + std::ptrdiff_t(restart) + 1, starts.end());
    const std::vector<std::size_t> aside = std::move(rows.aside);
    rows.aside.clear();
    starts.resize(restart + 1);
    const bool oldComplete = rows.complete;
    // Where a new row meets one of the old layouts inside the unchanged end (the line's own, or
    // the one set aside), the rows after it are that layout's.
    const std::vector<std::size_t>* met = nullptr;
    std::vector<std::size_t>::const_iterator metAt;
    std::size_t walked = 0;
    const bool ended =
        WalkRows(text, starts.back(), width, encoding, metrics, [&](std::size_t start) {
            starts.push_back(start);
            if (suffix > 0 && start >= newTail) {
                const std::size_t before = start - newTail + oldTail;
                bool more = false;
                for (const std::vector<std::size_t>* layout : {&old, &aside}) {
                    const auto same = std::lower_bound(layout->begin(), layout->end(), before);
                    if (same != layout->end() && *same == before && before > oldTail) {
                        met = layout;
                        metAt = same + 1;
                        return false;
                    }
                    more = more || same != layout->end() || (layout == &old && oldComplete);
                }
                // Past the old rows known there is nothing to meet.
                if (!more)
                    return false;
            }
            return ++walked < kRealignRows;
        });
    if (met) {
        for (auto row = metAt; row != met->end(); ++row)
            starts.push_back(*row - oldTail + newTail);
        rows.complete = met == &aside || oldComplete;
        if (!rows.complete)
            rows.aside = MovedPast(aside, oldTail, oldTail, newTail);
        return;
    }
    // The rows walked are right; those after them are made when asked for, and may meet the
    // old rows again (a line cut in two meets its old rows once joined again).
    rows.complete = ended;
    if (!ended)
        rows.aside = MovedPast(oldComplete ? old : aside, oldTail, oldTail, newTail);
}

TSynRowStarts RewrapJoined(const TSynRowStarts& head, std::size_t prefix, const TSynRowStarts& tail,
                           std::size_t tailLength, std::size_t suffix, std::string_view text,
                           qreal width, const Encoding& encoding, TSynTextMetrics& metrics) {
    suffix = std::min({suffix, tailLength, text.size()});
    prefix = std::min(prefix, text.size() - suffix);
    // As the rows of one old line of prefix + suffix bytes: those of the start, then those
    // inside the end moved to follow it. A row of the start at prefix is never taken for one
    // of the end, as only rows inside the end are.
    TSynRowStarts rows;
    rows.starts.assign(head.starts.begin(),
                       std::upper_bound(head.starts.begin(), head.starts.end(), prefix));
    const std::size_t tailStart = tailLength - suffix;
    const std::vector<std::size_t> own = MovedPast(tail.starts, tailStart, tailStart, prefix);
    rows.starts.insert(rows.starts.end(), own.begin(), own.end());
    rows.aside = MovedPast(tail.aside, tailStart, tailStart, prefix);
    rows.complete = tail.complete;
    RewrapAfterEdit(rows, text, prefix, suffix, prefix + suffix, width, encoding, metrics);
    return rows;
}
