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

std::optional<std::size_t> sameResult(const LiveMatches& now, const SearchMatch& before,
                                      std::size_t near) {
    const auto same = [&](std::size_t row) {
        if (now.entryIndex(row) != before.entryIndex) return false;
        const SearchMatch match = now.at(row);
        return match.column == before.column && match.lineContent == before.lineContent;
    };
    near = std::min(near, now.size());
    for (std::size_t distance = 0; distance <= std::max(near, now.size() - near); ++distance) {
        if (distance <= near && near - distance < now.size() && same(near - distance))
            return near - distance;
        if (near + distance < now.size() && same(near + distance)) return near + distance;
    }
    return std::nullopt;
}

}  // namespace tarnwick
