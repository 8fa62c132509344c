#include <windows.h>

#include "host/send_message.hpp"

namespace tarnwick {

std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam) {
    return SendMessageW(static_cast<HWND>(window), message, wParam, lParam);
}

}  // namespace tarnwick
