#pragma once

#include <windows.h>

namespace tarnwick::minihost {

// What a plugin asked with NPPM_DARKMODESUBCLASSANDTHEME, light host or dark, and the
// window as it was at the time of asking.
struct ThemeRequest {
    WPARAM flags = 0;
    HWND window = nullptr;
    // The window's child windows then: a dialog's controls exist once it is initialised.
    int controls = 0;
    bool visible = false;
};

}  // namespace tarnwick::minihost
