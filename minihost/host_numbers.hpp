#pragma once

#include <cstdint>

namespace tarnwick::minihost {

// Host numbers that only the host side needs; the ones the plugin shares live in
// host/host_messages.hpp.

// Sent through beNotified once the host has loaded its plugins at start-up.
inline constexpr std::uint32_t NPPN_READY = 1001;

// Sent to a docked panel, as DMN_DOCK is, when the host closes it on its own.
inline constexpr std::uint32_t DMN_CLOSE = 1051;

// Plugin menu items get consecutive command identifiers from here on.
inline constexpr int kFirstPluginCommandId = 22000;

// The editor keeps indicators 8 to 31 for its container; the ones above belong to input
// methods and change history, so the host hands out blocks from this range only.
inline constexpr int kFirstContainerIndicator = 8;
inline constexpr int kLastContainerIndicator = 31;

}  // namespace tarnwick::minihost
