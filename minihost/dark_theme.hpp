#pragma once

#include <windows.h>

#include "host/host_records.hpp"

namespace tarnwick::minihost {

// The host's dark mode: its palette, and the theming of windows with it. A themed window is
// subclassed; the subclass answers the colour messages the window gets for itself and its
// controls with the dark background and light text, before the window's own procedure
// sees them, as the editor does for the windows it themes. The subclass goes with the
// window.

// The twelve colours, the background first, as NPPM_GETDARKMODECOLORS hands them out.
const DarkModeColors& darkPalette();
COLORREF darkText();

// A dialog, the plugin's or a docked panel. It erases itself with the brush it is given for
// WM_CTLCOLORDLG, so only the colour messages are answered. False when the window cannot
// be subclassed (it is gone, or another thread's).
bool themeDialog(HWND dialog);
// A plain window, the host's main window: its background too, behind and around the views.
bool themeWindow(HWND window);
// An editor view: the default style, and every style with it, in the dark colours.
void themeView(HWND view);

}  // namespace tarnwick::minihost
