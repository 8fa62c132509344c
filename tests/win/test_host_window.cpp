#include "test_host_window.hpp"

#include <algorithm>

#include "host/host_messages.hpp"
#include "test_window.hpp"

namespace tarnwick::testing {

TestHostWindow::TestHostWindow(std::wstring configDirectory)
    : configDirectory_(std::move(configDirectory)) {
    // A hidden top-level window: a plugin's panel can be created as its child.
    window_ = createLinkedWindow(L"TarnwickTestHost", &TestHostWindow::windowProc,
                                 WS_OVERLAPPEDWINDOW, nullptr, this);
}

TestHostWindow::~TestHostWindow() {
    DestroyWindow(window_);
}

LRESULT CALLBACK TestHostWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = linkedOwner<TestHostWindow>(window);
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
