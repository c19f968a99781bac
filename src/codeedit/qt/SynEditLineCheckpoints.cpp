#include "codeedit/qt/SynEditLineCheckpoints.h"

#include <algorithm>

void TSynLineCheckpoints::Extend(std::string_view text, std::size_t column, qreal x,
                                 const Encoding& encoding, TSynTextMetrics& metrics) {
    if (complete || points.back().column > column || points.back().x > x)
        return;
    const Point start = points.back();
    std::size_t next = start.column + kSpacing;
    bool stopped = false;
    WalkChars(text, start.column, text.size(), start.x, encoding, metrics,
              [&](const TSynCharBox& box) {
                  if (box.start >= next) {
                      points.push_back(Point{box.start, box.x});
                      if (box.start > column || box.x > x) {
                          stopped = true;
                          return false;
                      }
                      next = box.start + kSpacing;
                  }
                  return true;
              });
    complete = !stopped;
}

TSynLineCheckpoints::Point TSynLineCheckpoints::AtOrBefore(std::string_view text,
                                                           std::size_t column,
                                                           const Encoding& encoding,
                                                           TSynTextMetrics& metrics) {
    column = std::min(column, text.size());
    Extend(text, column, 1e300, encoding, metrics);
    auto after = std::upper_bound(points.begin(), points.end(), column,
                                  [](std::size_t c, const Point& p) { return c < p.column; });
    return *(after - 1);
}

TSynLineCheckpoints::Point TSynLineCheckpoints::AtOrBeforeX(std::string_view text, qreal x,
                                                            const Encoding& encoding,
                                                            TSynTextMetrics& metrics) {
    Extend(text, SIZE_MAX, x, encoding, metrics);
    auto after = std::upper_bound(points.begin(), points.end(), x,
                                  [](qreal value, const Point& p) { return value < p.x; });
    return *(after - 1);
}

void TSynLineCheckpoints::ForgetFrom(std::size_t column) {
    auto after = std::upper_bound(points.begin(), points.end(), column,
                                  [](std::size_t c, const Point& p) { return c < p.column; });
    points.erase(after, points.end());
    complete = false;
}
