#pragma once

#include "host/window_handle.hpp"

namespace tarnwick {

// Asks for the whole window to be painted again, once the messages waiting are handled.
// The DLL links InvalidateRect; native tests link a substitute that records the request in
// the fake window's trace.
void repaintWindow(WindowHandle window);

}  // namespace tarnwick
