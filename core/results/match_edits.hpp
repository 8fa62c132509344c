#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/results/document_change.hpp"
#include "core/results/live_matches.hpp"

namespace tarnwick {

// Bytes where the marks of one entry must go, in the document as it is after a change.
struct MarkRange {
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::int32_t entryIndex = 0;

    bool operator==(const MarkRange&) const = default;
};

// Lines from `first` to `last`, both included.
struct LineSpan {
    std::int32_t first = 0;
    std::int32_t last = 0;
};

// What one change did to the results.
struct ChangeEffect {
    // The rows of the matches the change broke, ascending; they stay in place, dropped,
    // until the matches are compacted.
    std::vector<std::size_t> droppedRows;
    // The bytes of the dropped matches as they are now, and text inserted where the
    // editor carries a mark over it: between two adjacent matches of one entry.
    std::vector<MarkRange> marksToClear;
    // The lines whose text changed, numbered as they are now.
    LineSpan changedLines;
    // The rows, from `firstRedrawn` up to but not including `endRedrawn`, numbered as they
    // are now, whose line number or line text changed.
    std::size_t firstRedrawn = 0;
    std::size_t endRedrawn = 0;
};

// Brings `matches` in line with a change of their document:
// - a match at or after the change's end moves with it, its line by the line ends added
//   or removed; one that ends at or before the change's start stays;
// - a match whose bytes changed (an insertion strictly inside it, a deletion that
//   overlaps it) is dropped, left in place until the matches are compacted; matches
//   dropped before are skipped.
// `changedLine` is the line that holds the change's position now.
ChangeEffect applyChange(LiveMatches& matches, const DocumentChange& change,
                         std::int32_t changedLine);

// The same bytes after a later change; a range grows over text inserted inside it or at
// its end.
MarkRange followChange(const MarkRange& range, const DocumentChange& change);

}  // namespace tarnwick
