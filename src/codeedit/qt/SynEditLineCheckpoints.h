#pragma once
// x positions along a long line, remembered every few KB from the line start, so that finding
// the x of a column (or the column at an x) walks from the nearest checkpoint instead of from
// the start of a line of many MB. Checkpoints are made as far as they are asked for; an edit
// drops those after the column it changed.

#include "codeedit/qt/SynEditMetrics.h"

#include <cstddef>
#include <string_view>
#include <vector>

class TSynLineCheckpoints {
public:
    // Lines shorter than this are walked from their start: a checkpoint would not pay.
    static constexpr std::size_t kLongLine = 16384;

    // A character boundary and its x from the line start (tab stops count from x 0).
    struct Point {
        std::size_t column = 0;
        qreal x = 0;
    };

    // The last checkpoint at or before column (within the text).
    Point AtOrBefore(std::string_view text, std::size_t column, const Encoding& encoding,
                     TSynTextMetrics& metrics);
    // The last checkpoint whose x is at most x.
    Point AtOrBeforeX(std::string_view text, qreal x, const Encoding& encoding,
                      TSynTextMetrics& metrics);
    // Forgets the checkpoints past column: the bytes from there on changed.
    void ForgetFrom(std::size_t column);

private:
    static constexpr std::size_t kSpacing = 4096;
    // Adds checkpoints until one is past column or x, or the text ends.
    void Extend(std::string_view text, std::size_t column, qreal x, const Encoding& encoding,
                TSynTextMetrics& metrics);
    std::vector<Point> points{Point{}};
    bool complete = false;
};
