#include "minihost/menu_bar.hpp"

#include <cwchar>
#include <stdexcept>
#include <string>

#include "dialogs/unique_handle.hpp"

namespace tarnwick::minihost {

namespace {

MenuOwner newPopup() {
    MenuOwner menu(CreatePopupMenu());
    if (!menu) throw std::runtime_error("a menu could not be created");
    return menu;
}

// Hands `popup` to `parent`, which owns it from then on.
void appendPopup(HMENU parent, MenuOwner popup, const wchar_t* name) {
    if (!AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup.get()), name))
        throw std::runtime_error("a menu could not be added");
    popup.release();
}

MenuOwner hostMenu() {
    MenuOwner menu = newPopup();
    AppendMenuW(menu.get(), MF_STRING, MenuBar::kCommandSwitchView, L"Switch &current view");
    AppendMenuW(menu.get(), MF_STRING, MenuBar::kCommandSwitchDocument, L"Switch &document");
    AppendMenuW(menu.get(), MF_STRING, MenuBar::kCommandCloseDocument, L"C&lose document");
    AppendMenuW(menu.get(), MF_STRING, MenuBar::kCommandReloadFromDisk, L"&Reload from Disk");
    AppendMenuW(menu.get(), MF_STRING, MenuBar::kCommandMonitoring, L"&Monitoring (tail -f)");
    AppendMenuW(menu.get(), MF_STRING, MenuBar::kCommandReplaceAll, L"Replace &All\u2026");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, MenuBar::kCommandExit, L"E&xit");
    return menu;
}

UINT enabledIf(bool enabled) {
    return enabled ? MF_ENABLED : MF_GRAYED;
}

}  // namespace

MenuBar::MenuBar(HWND window) : window_(window) {
    MenuOwner bar(CreateMenu());
    if (!bar) throw std::runtime_error("the menu bar could not be created");
    MenuOwner plugins = newPopup();
    plugins_ = plugins.get();
    MenuOwner host = hostMenu();
    host_ = host.get();
    appendPopup(bar.get(), std::move(host), L"&Host");
    appendPopup(bar.get(), std::move(plugins), L"&Plugins");
    if (!SetMenu(window_, bar.get())) throw std::runtime_error("the menu bar could not be set");
    bar.release();
}

void MenuBar::addPlugin(std::wstring_view name, std::span<const FuncItem> items) {
    MenuOwner submenu = newPopup();
    for (const FuncItem& item : items) {
        // The name is a fixed array that need not be terminated; an empty one asks for a
        // separator.
        const std::wstring text(item._itemName, wcsnlen(item._itemName, kMenuItemNameLength));
        if (text.empty())
            AppendMenuW(submenu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(submenu.get(), MF_STRING, static_cast<UINT_PTR>(item._cmdID), text.c_str());
    }
    appendPopup(plugins_, std::move(submenu), std::wstring(name).c_str());
    DrawMenuBar(window_);
}

void MenuBar::showDocument(bool hasFile, bool monitored) const {
    EnableMenuItem(host_, kCommandReloadFromDisk, MF_BYCOMMAND | enabledIf(hasFile));
    EnableMenuItem(host_, kCommandMonitoring, MF_BYCOMMAND | enabledIf(hasFile));
    CheckMenuItem(host_, kCommandMonitoring,
                  MF_BYCOMMAND | (monitored ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace tarnwick::minihost
