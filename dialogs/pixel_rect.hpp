#pragma once

namespace tarnwick {

// A rectangle in pixels by its top-left corner and its size.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

}  // namespace tarnwick
