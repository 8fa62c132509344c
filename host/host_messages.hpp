#pragma once

#include <cstdint>

namespace tarnwick {

// Messages sent to the host's main window.
inline constexpr std::uint32_t NPPM_GETCURRENTSCINTILLA = 2028;
// wParam add (0) or remove (1), lParam a modeless dialog: the host passes the keys meant
// for a registered dialog through IsDialogMessage.
inline constexpr std::uint32_t NPPM_MODELESSDIALOG = 2036;
inline constexpr std::uintptr_t MODELESSDIALOGADD = 0;
inline constexpr std::uintptr_t MODELESSDIALOGREMOVE = 1;
// wParam the view (0 main, 1 second), lParam the tab index in it.
inline constexpr std::uint32_t NPPM_ACTIVATEDOC = 2052;
inline constexpr std::uint32_t NPPM_DMMSHOW = 2054;
inline constexpr std::uint32_t NPPM_DMMHIDE = 2055;
inline constexpr std::uint32_t NPPM_DMMUPDATEDISPINFO = 2056;
inline constexpr std::uint32_t NPPM_DMMREGASDCKDLG = 2057;
inline constexpr std::uint32_t NPPM_GETPLUGINSCONFIGDIR = 2070;
// wParam a buffer id, lParam the view to look in first; the answer is -1 when no tab
// shows the buffer, else the view in its two highest bits and the tab index in the rest.
inline constexpr std::uint32_t NPPM_GETPOSFROMBUFFERID = 2081;
// The buffer id of the document in the current view; 0 from a host that lacks it.
inline constexpr std::uint32_t NPPM_GETCURRENTBUFFERID = 2084;
// TRUE when the host draws itself dark.
inline constexpr std::uint32_t NPPM_ISDARKMODEENABLED = 2131;
// wParam the size of a record of twelve COLORREFs, the first the background; lParam the
// record; TRUE when it was filled.
inline constexpr std::uint32_t NPPM_GETDARKMODECOLORS = 2132;
// wParam what to theme, lParam a window: the host themes it as it themes its own.
inline constexpr std::uint32_t NPPM_DARKMODESUBCLASSANDTHEME = 2136;
// The flags for a dialog whose controls are made.
inline constexpr std::uintptr_t kDarkModeThemeDialog = 0x0000000B;
inline constexpr std::uint32_t NPPM_ALLOCATEINDICATOR = 2137;

// Notification codes: the first four arrive through beNotified, the dock codes as
// WM_NOTIFY from the host window (low 16 bits of the code). The two about documents
// name the buffer in the header's idFrom.
inline constexpr std::uint32_t NPPN_FILEBEFORECLOSE = 1003;
inline constexpr std::uint32_t NPPN_SHUTDOWN = 1009;
inline constexpr std::uint32_t NPPN_BUFFERACTIVATED = 1010;
// After a Replace All, made with the view's modification events off: the header's hwndFrom
// holds the changed document's buffer id (not a window), idFrom is 0.
inline constexpr std::uint32_t NPPN_GLOBALMODIFIED = 1030;
inline constexpr std::uint32_t DMN_DOCK = 1052;
inline constexpr std::uint32_t DMN_FLOAT = 1053;

// Docking registration mask: docked at the bottom by default.
inline constexpr std::uint32_t DWS_DF_CONT_BOTTOM = 0x30000000;

}  // namespace tarnwick
