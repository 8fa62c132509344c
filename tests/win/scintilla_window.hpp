#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

#include "host/window_handle.hpp"

namespace tarnwick::testing {

// A real Scintilla view in a frame window of its own, holding a UTF-8 document as the
// host's views do.
class ScintillaWindow {
public:
    ScintillaWindow();
    ~ScintillaWindow();
    ScintillaWindow(const ScintillaWindow&) = delete;
    ScintillaWindow& operator=(const ScintillaWindow&) = delete;

    WindowHandle handle() const { return editor_; }
    std::intptr_t send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Replaces the document; zero bytes are kept.
    void setDocument(const std::string& utf8);

private:
    HWND frame_ = nullptr;
    HWND editor_ = nullptr;
};

}  // namespace tarnwick::testing
