#pragma once

#include <cstdint>

#include "host/send_message.hpp"

namespace tarnwick {

// One of the host's editor views. Every document access is a synchronous message to
// its window.
class EditorView {
public:
    explicit EditorView(WindowHandle window) : window_(window) {}

    WindowHandle window() const { return window_; }

    std::intptr_t send(std::uint32_t message, std::uintptr_t wParam = 0,
                       std::intptr_t lParam = 0) const {
        return sendMessage(window_, message, wParam, lParam);
    }

private:
    WindowHandle window_;
};

}  // namespace tarnwick
