#pragma once

#include <stdexcept>

#include <windows.h>

namespace tarnwick::testing {

// Creates a window of a class of the test program's own, registering the class on first
// use, and links the window to `owner` through its user-data slot, where the class's
// procedure finds it.
inline HWND createLinkedWindow(const wchar_t* className, WNDPROC procedure, DWORD style,
                               HWND parent, void* owner) {
    WNDCLASSW windowClass{};
    if (!GetClassInfoW(GetModuleHandleW(nullptr), className, &windowClass)) {
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        if (RegisterClassW(&windowClass) == 0) throw std::runtime_error("class not registered");
    }
    const HWND window = CreateWindowExW(0, className, L"", style, 0, 0, 800, 600, parent, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) throw std::runtime_error("test window not created");
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

// The object a window made by createLinkedWindow belongs to, or null before the link.
template <typename Owner>
Owner* linkedOwner(HWND window) {
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace tarnwick::testing
