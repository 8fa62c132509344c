#pragma once

#include <windows.h>

namespace tarnwick {

// The DPI the window is shown at: what the system says of the window where it can
// (GetDpiForWindow, from Windows 10 on), else the screen's.
int windowDpi(HWND window);

}  // namespace tarnwick
