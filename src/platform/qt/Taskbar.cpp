#include "platform/qt/Taskbar.h"

namespace Taskbar {

// Linux desktops hide their panels themselves for a full-screen window, and no program may
// hide another's panel.
void Show() {}
void Hide() {}

} // namespace Taskbar
