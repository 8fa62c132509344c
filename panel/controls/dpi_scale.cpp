#include "panel/controls/dpi_scale.hpp"

#include <cstdint>
#include <cstdlib>

namespace tarnwick {

int rescaleForDpi(int pixels, int fromDpi, int toDpi) {
    const std::int64_t from = fromDpi > 0 ? fromDpi : kDefaultDpi;
    const std::int64_t product =
        static_cast<std::int64_t>(pixels) * (toDpi > 0 ? toDpi : kDefaultDpi);
    const std::int64_t magnitude = (std::llabs(product) * 2 + from) / (2 * from);
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

int scaleForDpi(int pixels, int dpi) {
    return rescaleForDpi(pixels, kDefaultDpi, dpi);
}

}  // namespace tarnwick
