#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tarnwick::minihost {

// The host's own copy of a docking registration. The plugin's record and its strings
// live only during the registration call, so every string is copied; a null string
// stays distinguishable from an empty one.
struct PanelRegistration {
    HWND client = nullptr;
    std::optional<std::wstring> name;
    int dialogId = 0;
    std::uint32_t mask = 0;
    HICON iconTab = nullptr;
    std::optional<std::wstring> additionalInfo;
    RECT floatingRect{};
    int previousContainer = 0;
    std::optional<std::wstring> moduleName;
};

}  // namespace tarnwick::minihost
