#include "test_host_window.hpp"

#include <stdexcept>

#include "host/host_messages.hpp"

namespace tarnwick::testing {

namespace {

constexpr wchar_t kClassName[] = L"TarnwickTestHost";

void registerClassOnce(WNDPROC procedure) {
    static const ATOM atom = [procedure] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass);
    }();
    if (atom == 0) throw std::runtime_error("the test host's window class was not registered");
}

}  // namespace

TestHostWindow::TestHostWindow(std::wstring configDirectory)
    : configDirectory_(std::move(configDirectory)) {
    registerClassOnce(&TestHostWindow::windowProc);
    // A hidden top-level window: a plugin's panel can be created as its child.
    window_ = CreateWindowExW(0, kClassName, L"host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) throw std::runtime_error("the test host window was not created");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TestHostWindow::~TestHostWindow() {
    DestroyWindow(window_);
}

LRESULT CALLBACK TestHostWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = reinterpret_cast<TestHostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message >= WM_USER) self->received_.push_back({message, wParam, lParam});
    if (self != nullptr && message == NPPM_GETCURRENTSCINTILLA) {
        *reinterpret_cast<int*>(lParam) = self->currentView;
        return TRUE;
    }
    if (self != nullptr && message == NPPM_GETPLUGINSCONFIGDIR && wParam > 0 && lParam != 0) {
        auto* buffer = reinterpret_cast<wchar_t*>(lParam);
        const std::size_t length = std::min<std::size_t>(self->configDirectory_.size(), wParam - 1);
        self->configDirectory_.copy(buffer, length);
        buffer[length] = L'\0';
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tarnwick::testing
