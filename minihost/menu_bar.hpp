#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "host/host_records.hpp"

namespace tarnwick::minihost {

// The main window's menu bar: a "Host" menu with minihost's own commands and a "Plugins"
// menu with one submenu per plugin, named after it and holding its items.
class MenuBar {
public:
    static constexpr int kCommandSwitchView = 100;
    static constexpr int kCommandSwitchDocument = 101;
    static constexpr int kCommandExit = 102;
    static constexpr int kCommandCloseDocument = 103;
    static constexpr int kCommandReloadFromDisk = 104;
    static constexpr int kCommandMonitoring = 105;
    static constexpr int kCommandReplaceAll = 106;

    // Builds the menu bar and gives it to `window`, which then owns it.
    explicit MenuBar(HWND window);

    // Adds the plugin's submenu; each item's command is its _cmdID.
    void addPlugin(std::wstring_view name, std::span<const FuncItem> items);

    // Sets the items about the current document before the menu opens: those about its
    // file are grayed for a document without one, and monitoring is checked when on.
    void showDocument(bool hasFile, bool monitored) const;

private:
    HWND window_;
    HMENU host_;
    HMENU plugins_;
};

}  // namespace tarnwick::minihost
