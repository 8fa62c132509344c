#pragma once

#include <optional>

namespace tarnwick::minihost {

// Hands out blocks of editor indicators to plugins: consecutive requests get consecutive
// blocks, and a block that would leave the container's range is refused rather than
// granted with numbers the editor ignores.
class IndicatorAllocator {
public:
    explicit IndicatorAllocator(int firstIndicator);

    // The first number of a block of `count` indicators, or nothing when refused.
    std::optional<int> allocate(int count);

private:
    int next_;
};

}  // namespace tarnwick::minihost
