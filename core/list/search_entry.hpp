#pragma once

#include <string>

#include "core/list/highlight_palette.hpp"

namespace tarnwick {

// One search string of the user's list.
struct SearchEntry {
    std::u16string text;
    bool enabled = true;
    Colorref color = HighlightPalette[0];

    bool operator==(const SearchEntry&) const = default;
};

}  // namespace tarnwick
