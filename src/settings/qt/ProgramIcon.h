#pragma once
// The program's own icon (window, about box, desktop entry), from the bundled SVG.

#include <QIcon>

QIcon TabrixProgramIcon();
