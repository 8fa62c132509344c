#pragma once

#include <utility>

namespace tarnwick {

// Runs `body` and turns any exception into `fallback`. Used wherever the host or the
// system calls into the plugin (exports, window and dialog procedures): an exception
// unwinding through the host's frames would take the editor down with the user's work.
template <typename Result, typename Body>
Result exceptionBarrier(Result fallback, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return fallback;
    }
}

template <typename Body>
void exceptionBarrier(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}

}  // namespace tarnwick
