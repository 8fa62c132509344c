#pragma once

#include <cstdint>

namespace tarnwick {

// Messages sent to the host's main window.
inline constexpr std::uint32_t NPPM_GETCURRENTSCINTILLA = 2028;
inline constexpr std::uint32_t NPPM_DMMSHOW = 2054;
inline constexpr std::uint32_t NPPM_DMMHIDE = 2055;
inline constexpr std::uint32_t NPPM_DMMUPDATEDISPINFO = 2056;
inline constexpr std::uint32_t NPPM_DMMREGASDCKDLG = 2057;
inline constexpr std::uint32_t NPPM_GETPLUGINSCONFIGDIR = 2070;
inline constexpr std::uint32_t NPPM_ALLOCATEINDICATOR = 2137;

// Notification codes: the first two arrive through beNotified, the dock codes as
// WM_NOTIFY from the host window (low 16 bits of the code).
inline constexpr std::uint32_t NPPN_SHUTDOWN = 1009;
inline constexpr std::uint32_t NPPN_BUFFERACTIVATED = 1010;
inline constexpr std::uint32_t DMN_DOCK = 1052;
inline constexpr std::uint32_t DMN_FLOAT = 1053;

// Docking registration mask: docked at the bottom by default.
inline constexpr std::uint32_t DWS_DF_CONT_BOTTOM = 0x30000000;

}  // namespace tarnwick
