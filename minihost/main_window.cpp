#include "minihost/main_window.hpp"

#include <stdexcept>

namespace tarnwick::minihost {

namespace {

constexpr wchar_t kClassName[] = L"TarnwickMiniHost";

void registerClassOnce(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass);
    }();
    if (atom == 0) throw std::runtime_error("the main window's class could not be registered");
}

}  // namespace

MainWindow::MainWindow(MainWindowHandler& handler, int width, int height) {
    registerClassOnce(&MainWindow::procedure);
    // WS_CLIPCHILDREN: the views and panels paint themselves over the main window.
    window_.reset(CreateWindowExW(0, kClassName, L"minihost", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  CW_USEDEFAULT, CW_USEDEFAULT, width, height, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), &handler));
    if (!window_) throw std::runtime_error("the main window could not be created");
}

void MainWindow::destroy() {
    // Under Wine without a window manager, taking a shown top-level window off the screen
    // waits two seconds for a confirmation that never comes. Dropping the visible style
    // first lets the window go at once; it disappears with its destruction all the same.
    if (window_)
        SetWindowLongPtrW(window_.get(), GWL_STYLE,
                          GetWindowLongPtrW(window_.get(), GWL_STYLE) & ~WS_VISIBLE);
    window_.reset();
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* handler = reinterpret_cast<MainWindowHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (handler != nullptr) {
        // An exception must not unwind through the system's frames, nor the plugin's when
        // it sent the message: it is dropped here and the message gets the default answer.
        try {
            if (const auto result = handler->handleMessage(message, wParam, lParam)) return *result;
        } catch (...) {
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tarnwick::minihost
