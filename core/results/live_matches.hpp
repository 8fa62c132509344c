#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/search/search_match.hpp"

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
    std::int64_t length(std::size_t row) const { return matches_[row].length; }
    std::int32_t entryIndex(std::size_t row) const { return matches_[row].entryIndex; }
    // One match, as it is now.
    SearchMatch at(std::size_t row) const;
    // Every match as it is now: adds the pending offset to every row it holds for.
    const MatchList& settled();

    // The first row whose match starts at `position` or after it.
    std::size_t firstAtOrAfter(std::int64_t position) const;
    // The first row on line `line` or after it.
    std::size_t firstOnLine(std::int32_t line) const;

    // Every row from `row` on moves by `delta` bytes and `lines` lines.
    void moveFrom(std::size_t row, std::int64_t delta, std::int32_t lines);
    // Typing that breaks many results at once (a macro, a column edit) would rewrite every
    // later row per break: a broken row stays in its place instead, with no bytes, at
    // `position` on `line`, until compact() removes every such row in one pass.
    void drop(std::size_t row, std::int64_t position, std::int32_t line);
    bool isDropped(std::size_t row) const { return matches_[row].length == 0; }
    bool hasDropped() const { return dropped_ > 0; }
    // Removes the dropped rows; returns them, numbered as they were, ascending.
    std::vector<std::size_t> compact();

    // Removes `rows` (ascending) and puts `added` (ordered by position) in their places
    // among the rest. Returns the rows `added` now have, ascending.
    std::vector<std::size_t> replace(const std::vector<std::size_t>& rows, MatchList added);

private:
    // One match, as it is now, to change in place.
    SearchMatch& exact(std::size_t row);
    // Makes `row` the first row the pending offset holds for.
    void startPendingAt(std::size_t row);
    void eraseRow(std::size_t row);
    // Puts a match, as it is now, in its place; returns its row.
    std::size_t insertRow(SearchMatch match);

    MatchList matches_;
    std::int64_t longestMatch_ = 0;
    std::size_t dropped_ = 0;
    // Rows from pendingStart_ on are stored before this move.
    std::size_t pendingStart_ = 0;
    std::int64_t pendingDelta_ = 0;
    std::int32_t pendingLines_ = 0;
};

}  // namespace tarnwick
