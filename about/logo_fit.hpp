#pragma once

#include <optional>

#include "dialogs/pixel_rect.hpp"

namespace tarnwick {

// Where the logo goes in the About box's picture area: scaled in single precision to fill
// the area in one direction with its aspect ratio kept, sizes truncated, and centred in
// the other direction (an odd margin leaves the smaller half first). Nothing is drawn for
// an image that reports no size.
std::optional<PixelRect> fitLogo(const PixelRect& area, unsigned imageWidth, unsigned imageHeight);

}  // namespace tarnwick
