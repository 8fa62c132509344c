#pragma once

#include <windows.h>

#include <span>

namespace tarnwick {

// One command of a context menu; a greyed one cannot be chosen, a checked one shows a check
// mark. A command of id 0 is a separator.
struct PopupMenuItem {
    UINT commandId;
    const wchar_t* text;
    bool enabled;
    bool checked = false;
};

// Shows a context menu of `list` for a WM_CONTEXTMENU with `position` (screen
// coordinates, or -1 from the keyboard: then at the selected row, else the list's corner).
// The command chosen reaches `owner` as WM_COMMAND.
void showContextMenu(HWND owner, HWND list, LPARAM position, std::span<const PopupMenuItem> items);

}  // namespace tarnwick
