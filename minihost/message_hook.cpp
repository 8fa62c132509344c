#include "minihost/message_hook.hpp"

#include <stdexcept>

namespace tarnwick::minihost {

MessageHook::MessageHook()
    : hook_(
          SetWindowsHookExW(WH_CALLWNDPROC, &MessageHook::passOn, nullptr, GetCurrentThreadId())) {
    if (hook_ == nullptr) throw std::runtime_error("the message hook could not be installed");
}

MessageHook::~MessageHook() {
    UnhookWindowsHookEx(hook_);
}

LRESULT CALLBACK MessageHook::passOn(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tarnwick::minihost
