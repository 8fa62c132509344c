#include "panel/results/result_stepping.hpp"

namespace tarnwick {

std::optional<std::size_t> nextResultIndex(const LiveMatches& matches,
                                           std::int64_t selectionStart) {
    if (matches.empty()) return std::nullopt;
    const std::size_t next = matches.firstAtOrAfter(selectionStart + 1);
    return next == matches.size() ? 0 : next;
}

std::optional<std::size_t> previousResultIndex(const LiveMatches& matches,
                                               std::int64_t selectionStart) {
    if (matches.empty()) return std::nullopt;
    const std::size_t notBefore = matches.firstAtOrAfter(selectionStart);
    return (notBefore == 0 ? matches.size() : notBefore) - 1;
}

}  // namespace tarnwick
