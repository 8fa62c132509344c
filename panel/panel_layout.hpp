#pragma once

#include <optional>

#include "dialogs/pixel_rect.hpp"

namespace tarnwick {

// Where each control of the panel goes for a client area of the given size, in pixels.
// The search list takes two fifths of the height less 32 pixels, the row of the edit box
// and buttons follows it, and the results list takes what is left; every list and the
// edit box keep at least 40 pixels, so a narrow panel lets the buttons run past its edge.
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
std::optional<PanelLayout> layoutPanel(int width, int height);

// The smallest size the user can drag the panel to.
inline constexpr int kPanelMinimumWidth = 250;
inline constexpr int kPanelMinimumHeight = 200;

}  // namespace tarnwick
