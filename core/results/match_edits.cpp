#include "core/results/match_edits.hpp"

#include <algorithm>

namespace tarnwick {

namespace {

std::int64_t endOf(const SearchMatch& match) {
    return match.position + match.length;
}

bool isChangedBy(const SearchMatch& match, const DocumentChange& change) {
    if (change.inserted) return match.position < change.position && change.position < endOf(match);
    return match.position < change.end() && change.position < endOf(match);
}

// Inserted text where one entry's match ends and another of its matches begins lies inside
// one run of that entry's mark, which the editor stretches over it. `rows` are the
// matches near the insertion, as they are after it.
void clearBetweenAdjacent(const std::vector<SearchMatch>& rows, const DocumentChange& change,
                          std::vector<MarkRange>& marks) {
    const std::int64_t at = change.position;
    for (const SearchMatch& match : rows) {
        if (endOf(match) != at) continue;
        const bool adjacent = std::any_of(rows.begin(), rows.end(), [&](const SearchMatch& other) {
            return other.position == at + change.length && other.entryIndex == match.entryIndex;
        });
        if (adjacent) marks.push_back({at, at + change.length, match.entryIndex});
    }
}

std::vector<SearchMatch> rowsBetween(const LiveMatches& matches, std::size_t first,
                                     std::size_t end) {
    std::vector<SearchMatch> rows;
    for (std::size_t row = first; row < end; ++row)
        if (!matches.isDropped(row)) rows.push_back(matches.at(row));
    return rows;
}

}  // namespace

ChangeEffect applyChange(LiveMatches& matches, const DocumentChange& change,
                         std::int32_t changedLine) {
    ChangeEffect effect;
    effect.changedLines = {
        changedLine,
        changedLine + static_cast<std::int32_t>(std::max<std::int64_t>(change.linesAdded, 0))};
    // Matches that start this far before the change cannot reach it; those that start
    // before its end may reach into it; the rest only move.
    const std::size_t from = matches.firstAtOrAfter(change.position - matches.longestMatch());
    const std::size_t tail = matches.firstAtOrAfter(change.end());
    for (std::size_t row = from; row < tail; ++row) {
        if (matches.isDropped(row)) continue;
        const SearchMatch match = matches.at(row);
        if (!isChangedBy(match, change)) continue;
        effect.droppedRows.push_back(row);
        const MarkRange bytes{change.moved(match.position), change.moved(endOf(match)),
                              match.entryIndex};
        if (bytes.start < bytes.end) effect.marksToClear.push_back(bytes);
        matches.drop(row, change.moved(match.position), changedLine);
    }
    matches.moveFrom(tail, change.delta(), static_cast<std::int32_t>(change.linesAdded));
    effect.firstRedrawn = matches.firstOnLine(changedLine);
    // Lines added or removed renumber every row after the change.
    effect.endRedrawn =
        change.linesAdded != 0 ? matches.size() : matches.firstOnLine(changedLine + 1);
    if (change.inserted) {
        // The neighbours of the insertion point, which a long list keeps few.
        const std::size_t near = matches.firstAtOrAfter(change.position + change.length + 1);
        clearBetweenAdjacent(rowsBetween(matches, from, near), change, effect.marksToClear);
    }
    return effect;
}

MarkRange followChange(const MarkRange& range, const DocumentChange& change) {
    return {change.moved(range.start), change.moved(range.end), range.entryIndex};
}

}  // namespace tarnwick
