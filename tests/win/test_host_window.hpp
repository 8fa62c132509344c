#pragma once

#include <string>

#include <windows.h>

#include "host/window_handle.hpp"

namespace tarnwick::testing {

// A real window standing in for the host's main window where a Windows test needs one:
// it answers NPPM_GETPLUGINSCONFIGDIR with the directory it was given.
class TestHostWindow {
public:
    explicit TestHostWindow(std::wstring configDirectory);
    ~TestHostWindow();
    TestHostWindow(const TestHostWindow&) = delete;
    TestHostWindow& operator=(const TestHostWindow&) = delete;

    WindowHandle handle() const { return window_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::wstring configDirectory_;
    HWND window_ = nullptr;
};

}  // namespace tarnwick::testing
