#include "panel/result_stepping.hpp"

#include <algorithm>

namespace tarnwick {

namespace {

// Results are ordered by line and then position, so their positions never decrease.
bool startsBefore(const SearchMatch& match, std::int64_t position) {
    return match.position < position;
}

bool startsAfter(std::int64_t position, const SearchMatch& match) {
    return position < match.position;
}

}  // namespace

std::optional<std::size_t> nextResultIndex(const MatchList& matches, std::int64_t selectionStart) {
    if (matches.empty()) return std::nullopt;
    const auto next = std::upper_bound(matches.begin(), matches.end(), selectionStart, startsAfter);
    return next == matches.end() ? 0 : static_cast<std::size_t>(next - matches.begin());
}

std::optional<std::size_t> previousResultIndex(const MatchList& matches,
                                               std::int64_t selectionStart) {
    if (matches.empty()) return std::nullopt;
    const auto notBefore =
        std::lower_bound(matches.begin(), matches.end(), selectionStart, startsBefore);
    if (notBefore == matches.begin()) return matches.size() - 1;
    return static_cast<std::size_t>(notBefore - matches.begin()) - 1;
}

}  // namespace tarnwick
