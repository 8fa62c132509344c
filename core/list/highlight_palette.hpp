#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick {

// A Windows colour value, laid out 0x00BBGGRR, in memory, in the settings file and in
// the editor's messages alike.
using Colorref = std::uint32_t;

// The ten colours that new entries receive in turn.
inline constexpr std::array<Colorref, 10> HighlightPalette = {
    0x0000FFFF, 0x0080FF00, 0x00FFC800, 0x0000A5FF, 0x00B469FF,
    0x00E6D8AD, 0x0090EE90, 0x00C1B6FF, 0x00DDA0DD, 0x008CE6F0,
};

// The colour for an entry appended to a list that already holds `entryCount` entries.
// It follows the current count, not a running counter, so colours repeat after removals.
Colorref paletteColorFor(std::size_t entryCount);

// How a colour is shown to the user: a hash sign and six upper-case hex digits, red first.
std::u16string colorLabel(Colorref color);

}  // namespace tarnwick
