#pragma once

#include <cstdint>

#include "host/window_handle.hpp"

namespace tarnwick {

// The one way the core talks to the host and to the editor views, shaped like
// SendMessageW. The DLL links the Win32 definition; native tests link a substitute
// that routes the message to a fake window.
std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam);

}  // namespace tarnwick
