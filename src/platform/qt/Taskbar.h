#pragma once
// The desktop's taskbar, hidden while the window is full screen and shown again after.

namespace Taskbar {
void Show();
void Hide();
} // namespace Taskbar
