#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "host/window_handle.hpp"

namespace tarnwick::testing {

// A real window standing in for the host's main window where a Windows test needs one:
// it answers NPPM_GETPLUGINSCONFIGDIR with the directory it was given and
// NPPM_GETCURRENTSCINTILLA with `currentView`, and records every host message (numbers
// from WM_USER up) it receives.
class TestHostWindow {
public:
    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Received&) const = default;
    };

    explicit TestHostWindow(std::wstring configDirectory);
    ~TestHostWindow();
    TestHostWindow(const TestHostWindow&) = delete;
    TestHostWindow& operator=(const TestHostWindow&) = delete;

    WindowHandle handle() const { return window_; }
    HWND hwnd() const { return window_; }
    const std::vector<Received>& received() const { return received_; }

    int currentView = 0;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::wstring configDirectory_;
    std::vector<Received> received_;
    HWND window_ = nullptr;
};

}  // namespace tarnwick::testing
