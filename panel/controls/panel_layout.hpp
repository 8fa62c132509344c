#pragma once

#include <array>
#include <optional>

#include "dialogs/pixel_rect.hpp"
#include "panel/controls/dpi_scale.hpp"

namespace tarnwick {

// Where each control of the panel goes for a client area of the given size, in pixels.
// The search list takes two fifths of the height less 32 pixels, the row of the edit box
// and buttons follows it, and the results list takes what is left; every list and the
// edit box keep at least 40 pixels, so a narrow panel lets the buttons run past its edge.
// Every such constant is in pixels at 96 DPI and scales with the panel's DPI.
struct PanelLayout {
    PixelRect stringsLabel;
    PixelRect allCheckBox;
    PixelRect searchList;
    PixelRect entryEdit;
    PixelRect addButton;
    PixelRect searchButton;
    PixelRect clearButton;
    PixelRect infoButton;
    PixelRect resultsLabel;
    PixelRect resultsList;
};

// Nothing to lay out while the panel has no area.
std::optional<PanelLayout> layoutPanel(int width, int height, int dpi = kDefaultDpi);

// The smallest size the user can drag the panel to, at 96 DPI.
inline constexpr int kPanelMinimumWidth = 250;
inline constexpr int kPanelMinimumHeight = 200;

// The columns' widths at 96 DPI: "Search String", "Color", "Hits" and "Options"; "Line",
// "Match", "Content".
inline constexpr std::array<int, 4> kSearchColumnWidths = {200, 60, 50, 60};
inline constexpr std::array<int, 3> kResultsColumnWidths = {50, 80, 400};

}  // namespace tarnwick
