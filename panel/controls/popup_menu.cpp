#include "panel/controls/popup_menu.hpp"

#include <commctrl.h>
#include <windowsx.h>

#include "dialogs/unique_handle.hpp"
#include "panel/controls/list_view.hpp"

namespace tarnwick {

namespace {

// A menu asked for from the keyboard comes with both coordinates -1.
bool fromKeyboard(LPARAM position) {
    return GET_X_LPARAM(position) == -1 && GET_Y_LPARAM(position) == -1;
}

// Where a menu opened from the keyboard goes: the selected row's corner, else the list's.
POINT keyboardMenuPoint(HWND list) {
    POINT point{0, 0};
    const int row = list_view::firstSelectedRow(list);
    RECT bounds{};
    bounds.left = LVIR_LABEL;
    if (row >= 0 && SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds)))
        point = {bounds.left, bounds.bottom};
    ClientToScreen(list, &point);
    return point;
}

}  // namespace

void showContextMenu(HWND owner, HWND list, LPARAM position, std::span<const PopupMenuItem> items) {
    const MenuOwner menu(CreatePopupMenu());
    if (!menu) return;
    for (const PopupMenuItem& item : items) {
        if (item.commandId == 0) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT state =
            (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : 0);
        AppendMenuW(menu.get(), MF_STRING | state, item.commandId, item.text);
    }
    const POINT point = fromKeyboard(position)
                            ? keyboardMenuPoint(list)
                            : POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0,
                   owner, nullptr);
}

}  // namespace tarnwick
