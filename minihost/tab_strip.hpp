#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "dialogs/unique_handle.hpp"

namespace tarnwick::minihost {

// A real tab control, child of the main window, holding one named tab per document of a
// view. A click on a tab reaches the main window as WM_NOTIFY with TCN_SELCHANGE.
class TabStrip {
public:
    // Throws std::runtime_error when the control cannot be created.
    explicit TabStrip(HWND parent);

    HWND window() const { return window_.get(); }

    void insert(std::size_t index, const std::wstring& name) const;
    void rename(std::size_t index, const std::wstring& name) const;
    void remove(std::size_t index) const;
    // Selects the tab without telling the parent, as a program's own choice.
    void select(std::size_t index) const;
    // The tab the user selected last, or -1.
    int selected() const;

    // The height of the row of tabs with its border, in pixels.
    int height() const;

private:
    WindowOwner window_;
};

}  // namespace tarnwick::minihost
