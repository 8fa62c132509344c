#include "about/logo_fit.hpp"

#include <algorithm>

namespace tarnwick {

std::optional<PixelRect> fitLogo(const PixelRect& area, unsigned imageWidth, unsigned imageHeight) {
    // A zero size would make the scale infinite and the drawn size undefined.
    if (imageWidth == 0 || imageHeight == 0) return std::nullopt;
    const float scale = std::min(static_cast<float>(area.width) / static_cast<float>(imageWidth),
                                 static_cast<float>(area.height) / static_cast<float>(imageHeight));
    const int width = static_cast<int>(scale * static_cast<float>(imageWidth));
    const int height = static_cast<int>(scale * static_cast<float>(imageHeight));
    return PixelRect{area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width,
                     height};
}

}  // namespace tarnwick
