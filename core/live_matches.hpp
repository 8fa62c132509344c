#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/search_match.hpp"

namespace tarnwick {

// The matches of the last search, ordered by position, as their document is now.
//
// Typing moves every match after the caret. Rather than rewriting each of them per
// keystroke, the move shared by all rows from one row on is held as one pending offset,
// added to those rows as they are read. Moving where that offset starts costs the rows in
// between, so edits in one place cost next to nothing however many matches follow them.
class LiveMatches {
public:
    LiveMatches() = default;
    explicit LiveMatches(MatchList matches);

    std::size_t size() const { return matches_.size(); }
    bool empty() const { return matches_.empty(); }
    // At least the length of every match.
    std::int64_t longestMatch() const { return longestMatch_; }

    std::int64_t position(std::size_t row) const;
    std::int32_t line(std::size_t row) const;
    // One match, as it is now.
    SearchMatch at(std::size_t row) const;
    // One match, as it is now, to change in place.
    SearchMatch& exact(std::size_t row);
    // Every match as it is now: adds the pending offset to every row it holds for.
    const MatchList& settled();

    // The first row whose match starts at `position` or after it.
    std::size_t firstAtOrAfter(std::int64_t position) const;
    // The first row on line `line` or after it.
    std::size_t firstOnLine(std::int32_t line) const;

    // Every row from `row` on moves by `delta` bytes and `lines` lines.
    void moveFrom(std::size_t row, std::int64_t delta, std::int32_t lines);
    // Removes `rows`, ascending.
    void erase(const std::vector<std::size_t>& rows);

private:
    // Makes `row` the first row the pending offset holds for.
    void startPendingAt(std::size_t row);

    MatchList matches_;
    std::int64_t longestMatch_ = 0;
    // Rows from pendingStart_ on are stored before this move.
    std::size_t pendingStart_ = 0;
    std::int64_t pendingDelta_ = 0;
    std::int32_t pendingLines_ = 0;
};

}  // namespace tarnwick
