#pragma once
// Window rectangles between Qt and the settings files.

#include "settings/WindowSettings.h"

#include <QRect>

inline WindowBounds ToBounds(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

inline QRect ToRect(const WindowBounds& bounds) {
    return QRect(bounds.left, bounds.top, bounds.width, bounds.height);
}
