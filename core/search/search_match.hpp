#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnwick {

// One match found by a search: where it is and what found it, nothing more. A search of a
// big log holds millions of them, so the text of a match's line is read from the document
// when it is shown or copied, never kept here. Positions and lengths are bytes of the
// document's text in its code page, as it is now.
struct SearchMatch {
    std::intptr_t position = 0;   // first byte of the match; documents never outgrow it
    std::int32_t length = 0;      // as the editor reports it, not from the entry's text
    std::int32_t entryIndex = 0;  // index of the entry in the entries searched
    std::int32_t line = 0;        // 0-based line holding the first byte

    bool operator==(const SearchMatch&) const = default;
};

static_assert(sizeof(SearchMatch) <= (sizeof(void*) == 8 ? 24 : 16),
              "a result costs a few bytes, however long its line");

// The result of one search, ordered by line and then by position.
using MatchList = std::vector<SearchMatch>;

// Merges lists that are each ordered by line and position (one per entry, in document
// order) into one such list, moving the records. Matches at the same place come in the
// order of their lists; nothing promises that order to the user.
MatchList mergeByLineAndPosition(std::vector<MatchList> runs);

// The same merge done a part at a time, so that millions of matches need not be merged in
// one go. Each list's memory is given back as soon as its records are all moved.
class MatchMerge {
public:
    explicit MatchMerge(std::vector<MatchList> runs);
    MatchMerge(const MatchMerge&) = delete;
    MatchMerge& operator=(const MatchMerge&) = delete;

    // Moves up to `count` more records into the merged list; true once all are.
    bool take(std::size_t count);
    // The merged list, once all are taken.
    MatchList merged() { return std::move(merged_); }

private:
    // The next unmerged match of one run.
    struct RunCursor {
        MatchList::iterator next;
        MatchList::iterator end;
        std::size_t run;
    };
    static bool mergesLater(const RunCursor& a, const RunCursor& b);

    std::vector<MatchList> runs_;
    std::vector<RunCursor> heap_;
    MatchList merged_;
};

}  // namespace tarnwick
