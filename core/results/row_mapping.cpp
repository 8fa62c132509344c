#include "core/results/row_mapping.hpp"

#include <algorithm>

namespace tarnwick {

std::optional<std::size_t> rowAfter(const RowsChanged& rows, std::size_t row) {
    if (std::binary_search(rows.removed.begin(), rows.removed.end(), row)) return std::nullopt;
    std::size_t now = row - static_cast<std::size_t>(
                                std::lower_bound(rows.removed.begin(), rows.removed.end(), row) -
                                rows.removed.begin());
    // Every added row at or before the place the row has come to pushes it down by one.
    for (const std::size_t added : rows.added) {
        if (added > now) break;
        ++now;
    }
    return now;
}

std::optional<std::size_t> sameResult(
    const LiveMatches& now, const ShownResult& before, std::size_t near,
    const std::function<ResultLines::Place(std::size_t row)>& placeOf) {
    // Each row looked at reads its line: far rows are not worth it.
    constexpr std::size_t kFarthest = 4096;
    const auto same = [&](std::size_t row) {
        if (now.entryIndex(row) != before.entryIndex) return false;
        const ResultLines::Place place = placeOf(row);
        return place.column == before.place.column && place.text == before.place.text;
    };
    near = std::min(near, now.size());
    const std::size_t farthest = std::min(kFarthest, std::max(near, now.size() - near));
    for (std::size_t distance = 0; distance <= farthest; ++distance) {
        if (distance <= near && near - distance < now.size() && same(near - distance))
            return near - distance;
        if (near + distance < now.size() && same(near + distance)) return near + distance;
    }
    return std::nullopt;
}

}  // namespace tarnwick
