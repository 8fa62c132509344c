#include "dialogs/window_dpi.hpp"

namespace tarnwick {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up once: older systems do not have it.
GetDpiForWindowFunction systemDpiForWindow() {
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

int windowDpi(HWND window) {
    if (const auto forWindow = systemDpiForWindow(); forWindow != nullptr && window != nullptr) {
        if (const UINT dpi = forWindow(window); dpi != 0) return static_cast<int>(dpi);
    }
    return screenDpi();
}

}  // namespace tarnwick
