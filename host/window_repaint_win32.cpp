#include <windows.h>

#include "host/window_repaint.hpp"

namespace tarnwick {

void repaintWindow(WindowHandle window) {
    InvalidateRect(static_cast<HWND>(window), nullptr, TRUE);
}

}  // namespace tarnwick
