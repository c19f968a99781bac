#pragma once

// Tool bar icons: the desktop's icon theme first, our bundled SVG drawings when the theme has
// none (a bare X server, a minimal desktop). Does not pick sizes or tint icons.

#include <QIcon>
#include <QString>

// `themeName` is a freedesktop icon name; the bundled fallback is ":/icons/<themeName>.svg".
QIcon ToolIcon(const QString& themeName);
