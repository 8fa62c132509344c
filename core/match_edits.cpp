#include "core/match_edits.hpp"

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
// one run of that entry's mark, which the editor stretches over it.
void clearBetweenAdjacent(const MatchList& matches, std::size_t from, std::size_t to,
                          const DocumentChange& change, std::vector<MarkRange>& marks) {
    const std::int64_t at = change.position;
    for (std::size_t i = from; i < to; ++i) {
        if (endOf(matches[i]) != at) continue;
        const auto next = std::find_if(matches.begin() + static_cast<std::ptrdiff_t>(from),
                                       matches.begin() + static_cast<std::ptrdiff_t>(to),
                                       [&](const SearchMatch& other) {
                                           return other.position == at + change.length &&
                                                  other.entryIndex == matches[i].entryIndex;
                                       });
        if (next != matches.begin() + static_cast<std::ptrdiff_t>(to))
            marks.push_back({at, at + change.length, matches[i].entryIndex});
    }
}

}  // namespace

ChangeEffect applyChange(MatchList& matches, const DocumentChange& change, std::int32_t changedLine,
                         std::int64_t longestMatch) {
    ChangeEffect effect;
    effect.changedLines = {
        changedLine,
        changedLine + static_cast<std::int32_t>(std::max<std::int64_t>(change.linesAdded, 0))};
    // Matches that start this far before the change cannot reach it.
    const std::int64_t reach = change.position - longestMatch;
    const auto first = std::lower_bound(
        matches.begin(), matches.end(), reach,
        [](const SearchMatch& match, std::int64_t at) { return match.position < at; });
    const auto from = static_cast<std::size_t>(first - matches.begin());
    const std::int64_t end = change.end();
    // Those that start before the change's end may reach into it; the rest only move.
    const std::size_t tail =
        static_cast<std::size_t>(std::lower_bound(first, matches.end(), end,
                                                  [](const SearchMatch& match, std::int64_t at) {
                                                      return match.position < at;
                                                  }) -
                                 matches.begin());
    std::size_t kept = from;
    for (std::size_t i = from; i < tail; ++i) {
        SearchMatch& match = matches[i];
        if (isChangedBy(match, change)) {
            effect.droppedRows.push_back(i);
            const MarkRange bytes{change.moved(match.position), change.moved(endOf(match)),
                                  match.entryIndex};
            if (bytes.start < bytes.end) effect.marksToClear.push_back(bytes);
            continue;
        }
        if (kept != i) matches[kept] = std::move(match);
        ++kept;
    }
    // Typing runs this for every result after the caret: kept as lean as it can be.
    const std::int64_t delta = change.delta();
    const auto lines = static_cast<std::int32_t>(change.linesAdded);
    for (auto match = matches.begin() + static_cast<std::ptrdiff_t>(tail); match != matches.end();
         ++match) {
        match->position += delta;
        match->line += lines;
    }
    if (kept != tail)
        matches.erase(matches.begin() + static_cast<std::ptrdiff_t>(kept),
                      matches.begin() + static_cast<std::ptrdiff_t>(tail));
    const auto rowOf = [&](std::int32_t line) {
        return static_cast<std::size_t>(firstOnLine(matches, line) - matches.begin());
    };
    effect.firstRedrawn = rowOf(changedLine);
    // Lines added or removed renumber every row after the change.
    effect.endRedrawn = change.linesAdded != 0 ? matches.size() : rowOf(changedLine + 1);
    if (change.inserted) {
        // The neighbours of the insertion point, which a long list keeps few.
        const auto near = std::upper_bound(
            matches.begin() + static_cast<std::ptrdiff_t>(from), matches.end(),
            change.position + change.length,
            [](std::int64_t at, const SearchMatch& match) { return at < match.position; });
        clearBetweenAdjacent(matches, from, static_cast<std::size_t>(near - matches.begin()),
                             change, effect.marksToClear);
    }
    return effect;
}

MarkRange followChange(const MarkRange& range, const DocumentChange& change) {
    return {change.moved(range.start), change.moved(range.end), range.entryIndex};
}

MatchList::iterator firstOnLine(MatchList& matches, std::int32_t line) {
    return std::lower_bound(
        matches.begin(), matches.end(), line,
        [](const SearchMatch& match, std::int32_t at) { return match.line < at; });
}

}  // namespace tarnwick
