#include "minihost/indicator_allocator.hpp"

#include "minihost/host_numbers.hpp"

namespace tarnwick::minihost {

IndicatorAllocator::IndicatorAllocator(int firstIndicator) : next_(firstIndicator) {}

std::optional<int> IndicatorAllocator::allocate(int count) {
    // Compared by subtraction so a huge count cannot overflow the sum.
    if (count <= 0 || next_ < kFirstContainerIndicator ||
        count - 1 > kLastContainerIndicator - next_)
        return std::nullopt;
    const int first = next_;
    next_ += count;
    return first;
}

}  // namespace tarnwick::minihost
