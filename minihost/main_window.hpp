#pragma once

#include <windows.h>

#include <optional>

#include "dialogs/unique_handle.hpp"

namespace tarnwick::minihost {

// Answers the main window's messages. Nothing it throws leaves the window procedure.
class MainWindowHandler {
public:
    // The result for a message it handled, nothing to leave it to the default handling.
    virtual std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~MainWindowHandler() = default;
};

// The host's top-level, resizable main window. Its messages go to the handler, which
// must outlive the window.
class MainWindow {
public:
    // Throws std::runtime_error when the window cannot be created.
    MainWindow(MainWindowHandler& handler, int width, int height);

    HWND handle() const { return window_.get(); }
    // Destroys the window and its children at once.
    void destroy();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WindowOwner window_;
};

}  // namespace tarnwick::minihost
