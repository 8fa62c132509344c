#include "core/results/live_matches.hpp"

#include <algorithm>

namespace tarnwick {

namespace {

// The first of `count` rows for which `before` is false, where it is true for a first run
// of them only.
template <class Before>
std::size_t firstRowNotBefore(std::size_t count, Before before) {
    std::size_t first = 0;
    while (count > 0) {
        const std::size_t half = count / 2;
        if (before(first + half)) {
            first += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    return first;
}

}  // namespace

LiveMatches::LiveMatches(MatchList matches)
    : matches_(std::move(matches)), pendingStart_(matches_.size()) {
    for (const SearchMatch& match : matches_)
        longestMatch_ = std::max<std::int64_t>(longestMatch_, match.length);
}

std::int64_t LiveMatches::position(std::size_t row) const {
    return matches_[row].position + (row >= pendingStart_ ? pendingDelta_ : 0);
}

std::int32_t LiveMatches::line(std::size_t row) const {
    return matches_[row].line + (row >= pendingStart_ ? pendingLines_ : 0);
}

SearchMatch LiveMatches::at(std::size_t row) const {
    SearchMatch match = matches_[row];
    match.position = position(row);
    match.line = line(row);
    return match;
}

SearchMatch& LiveMatches::exact(std::size_t row) {
    if (row >= pendingStart_) startPendingAt(row + 1);
    return matches_[row];
}

const MatchList& LiveMatches::settled() {
    startPendingAt(matches_.size());
    return matches_;
}

// Moves keep the order of the rows: those read with the offset still follow the others.
std::size_t LiveMatches::firstAtOrAfter(std::int64_t at) const {
    return firstRowNotBefore(size(), [&](std::size_t row) { return position(row) < at; });
}

std::size_t LiveMatches::firstOnLine(std::int32_t wanted) const {
    return firstRowNotBefore(size(), [&](std::size_t row) { return line(row) < wanted; });
}

void LiveMatches::moveFrom(std::size_t row, std::int64_t delta, std::int32_t lines) {
    startPendingAt(row);
    if (row == matches_.size()) return;
    pendingDelta_ += delta;
    pendingLines_ += lines;
}

void LiveMatches::drop(std::size_t row, std::int64_t at, std::int32_t line) {
    SearchMatch& match = exact(row);
    if (match.length == 0) return;
    match.position = at;
    match.line = line;
    match.length = 0;
    ++dropped_;
}

std::vector<std::size_t> LiveMatches::compact() {
    std::vector<std::size_t> rows;
    if (dropped_ == 0) return rows;
    settled();
    for (std::size_t row = 0; row < matches_.size(); ++row)
        if (matches_[row].length == 0) rows.push_back(row);
    std::erase_if(matches_, [](const SearchMatch& match) { return match.length == 0; });
    pendingStart_ = matches_.size();
    dropped_ = 0;
    return rows;
}

std::vector<std::size_t> LiveMatches::replace(const std::vector<std::size_t>& rows,
                                              MatchList added) {
    // A keystroke makes or breaks a match or two: moving the rows after each costs less
    // than building all of them anew.
    constexpr std::size_t kFewRows = 8;
    if (rows.size() + added.size() <= kFewRows) {
        for (auto row = rows.rbegin(); row != rows.rend(); ++row) eraseRow(*row);
        std::vector<std::size_t> addedRows;
        for (SearchMatch& match : added) addedRows.push_back(insertRow(std::move(match)));
        return addedRows;
    }
    settled();
    MatchList kept;
    kept.reserve(matches_.size() - rows.size() + added.size());
    std::vector<std::size_t> addedRows;
    auto next = added.begin();
    auto removed = rows.begin();
    for (std::size_t row = 0; row <= matches_.size(); ++row) {
        // Added matches go before the first kept match that starts after them.
        const bool last = row == matches_.size();
        while (next != added.end() && (last || next->position < matches_[row].position)) {
            longestMatch_ = std::max<std::int64_t>(longestMatch_, next->length);
            addedRows.push_back(kept.size());
            kept.push_back(std::move(*next++));
        }
        if (last) break;
        if (removed != rows.end() && *removed == row) {
            ++removed;
            continue;
        }
        kept.push_back(std::move(matches_[row]));
    }
    matches_ = std::move(kept);
    pendingStart_ = matches_.size();
    return addedRows;
}

void LiveMatches::eraseRow(std::size_t row) {
    if (row < pendingStart_) --pendingStart_;
    matches_.erase(matches_.begin() + static_cast<std::ptrdiff_t>(row));
    if (pendingStart_ == matches_.size()) pendingDelta_ = pendingLines_ = 0;
}

// After the matches at its place, as a merge puts it; stored before the pending move when
// it lands among the rows the move is pending for.
std::size_t LiveMatches::insertRow(SearchMatch match) {
    const std::size_t row = firstAtOrAfter(match.position + 1);
    longestMatch_ = std::max<std::int64_t>(longestMatch_, match.length);
    if (row > pendingStart_) {
        match.position -= pendingDelta_;
        match.line -= pendingLines_;
    } else {
        ++pendingStart_;
    }
    matches_.insert(matches_.begin() + static_cast<std::ptrdiff_t>(row), std::move(match));
    return row;
}

void LiveMatches::startPendingAt(std::size_t row) {
    // Rows that leave the offset's reach take it on; rows that come under it give it up.
    const auto shift = [&](std::size_t first, std::size_t end, int sign) {
        for (std::size_t i = first; i < end; ++i) {
            matches_[i].position += sign * pendingDelta_;
            matches_[i].line += sign * pendingLines_;
        }
    };
    const bool moved = pendingDelta_ != 0 || pendingLines_ != 0;
    if (moved && row > pendingStart_) shift(pendingStart_, row, 1);
    if (moved && row < pendingStart_) shift(row, pendingStart_, -1);
    pendingStart_ = row;
    if (pendingStart_ == matches_.size()) pendingDelta_ = pendingLines_ = 0;
}

}  // namespace tarnwick
