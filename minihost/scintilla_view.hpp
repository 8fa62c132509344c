#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "minihost/unique_handle.hpp"

namespace tarnwick::minihost {

// One of the host's two editor views: a real Scintilla window, child of the main window,
// holding UTF-8 text. Each view keeps a second document so the host can switch the
// document a view shows, as it does when the user changes tabs.
class ScintillaView {
public:
    // Throws std::runtime_error when the window cannot be created.
    explicit ScintillaView(HWND parent);
    ~ScintillaView();
    ScintillaView(const ScintillaView&) = delete;
    ScintillaView& operator=(const ScintillaView&) = delete;

    HWND window() const { return window_.get(); }
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Replaces the text of the document shown; zero bytes are kept.
    void setText(std::string_view utf8) const;

    // Shows the other document; the one shown so far is kept with its text.
    void switchDocument();

private:
    void useUtf8() const;

    WindowOwner window_;
    LPARAM spareDocument_ = 0;
};

}  // namespace tarnwick::minihost
