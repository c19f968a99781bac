#pragma once
// Every key of the settings and style files as one value, and the pure rules that turn a file
// into the values a load applies and the values into a file. Which setter runs when, and
// reading the window's state, belong to the window side.

#include "platform/Color.h"
#include "settings/IniFile.h"

#include <string>
#include <vector>

struct WindowBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const WindowBounds&) const = default;
};

struct FontSettings {
    std::string name;
    int size = 0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    TColor color = clWindowText;

    bool operator==(const FontSettings&) const = default;
};

inline constexpr int kMaxRecentFiles = 15;

struct WindowSettings {
    std::string styleName;                // main file only
    std::vector<std::string> recentFiles; // main file only; index = recent-menu position
    WindowBounds bounds;
    bool alwaysOnTop = false;
    bool isSmall = false; // stored, never applied: the toolbar always shows its large icons
    bool wordWrap = true;
    bool hScrollBarVisible = false;
    bool vScrollBarVisible = true;
    bool statusBarVisible = true;
    bool mainMenuVisible = true;
    bool toolBarVisible = true;
    bool hideCaption = false; // tool-window mode
    bool fullScreen = false;
    bool showLineNumbers = true;
    bool showToolbarCaptions = true;
    int activeTab = 0; // CIndex
    // Main file only: the line break of new documents' files, "LF", "CR LF" or "CR"; empty for
    // the platform's.
    std::string lineEnding;
    FontSettings font;
    TColor background = clWindow;

    bool operator==(const WindowSettings&) const = default;
};

// The values before any file is read: the boolean defaults, "Courier New" 10 points without
// style flags, clWindowText on clWindow, style name "Untitled", no recent files, empty bounds
// (the window side uses DefaultBounds of its work area).
WindowSettings DefaultWindowSettings();

// The screen's work area grown by 4 pixels on each side: the bounds of a first start and of
// Reset to Defaults.
WindowBounds DefaultBounds(const WindowBounds& workArea);

// What a load applies. Absent or unreadable keys take the key's default, or the value in
// `current` where the default is the current state (bounds, always on top, font face, size and
// colours; style name and recent files of the main file); so does a font size outside 1 to
// 1638 points. A style file (isMain false) leaves
// the style name and the recent files as in `current`. Recent entries that are empty or name
// missing files are skipped, so the list closes up. Bounds are returned as read; the window
// side clamps them after setting them.
WindowSettings ReadWindowSettings(const IniFile& file, bool isMain, const WindowSettings& current);

// Keeps a window reachable on the work area: a width or height more than 8 pixels larger than
// the work area's becomes the work area's plus 8; a left edge right of the work area's width, or
// a top edge below its height, becomes 0. Beyond that, a window lying wholly left of the work
// area, or whose top edge is more than 8 pixels above it, is moved back to its left or top.
WindowBounds ClampToWorkArea(const WindowBounds& bounds, const WindowBounds& workArea);

// Writes every key in the order the files have always had: StyleName and the recent files
// (main file only), then bounds, options, CIndex (activeTab as given), LineEnding (main file
// only, when not empty), font and background.
// A recent path that cannot be written (it holds a line break) is skipped.
void WriteWindowSettings(IniFile& file, const WindowSettings& settings, bool isMain);
