#include "core/search/search_match.hpp"

#include <algorithm>

namespace tarnwick {

namespace {

bool comesBefore(const SearchMatch& a, const SearchMatch& b) {
    if (a.line != b.line) return a.line < b.line;
    return a.position < b.position;
}

// The next unmerged match of one run.
struct RunCursor {
    MatchList::iterator next;
    MatchList::iterator end;
    std::size_t run;
};

// Heap order for the cursors: the one whose next match comes first is on top; at the same
// place the earlier run wins, so ties come out in run order.
bool mergesLater(const RunCursor& a, const RunCursor& b) {
    if (comesBefore(*b.next, *a.next)) return true;
    if (comesBefore(*a.next, *b.next)) return false;
    return a.run > b.run;
}

}  // namespace

MatchList mergeByLineAndPosition(std::vector<MatchList> runs) {
    std::size_t total = 0;
    std::vector<RunCursor> heap;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        MatchList& run = runs[i];
        // A run from a real editor is already in order; one from an editor whose line
        // numbers go backwards is sorted first, so the merge always gets ordered runs.
        if (!std::is_sorted(run.begin(), run.end(), comesBefore))
            std::sort(run.begin(), run.end(), comesBefore);
        total += run.size();
        if (!run.empty()) heap.push_back({run.begin(), run.end(), i});
    }
    std::make_heap(heap.begin(), heap.end(), mergesLater);

    MatchList merged;
    merged.reserve(total);  // kept until the next search: exactly the size it needs
    while (!heap.empty()) {
        std::pop_heap(heap.begin(), heap.end(), mergesLater);
        RunCursor& cursor = heap.back();
        const bool othersLeft = heap.size() > 1;
        // One entry's matches often come many in a row (a frequent entry between rare
        // ones): they are taken while their run stays first, without a heap step each.
        do merged.push_back(std::move(*cursor.next));
        while (++cursor.next != cursor.end && !(othersLeft && mergesLater(cursor, heap.front())));
        if (cursor.next != cursor.end) {
            std::push_heap(heap.begin(), heap.end(), mergesLater);
        } else {
            MatchList().swap(runs[cursor.run]);  // its records were moved: give the memory back
            heap.pop_back();
        }
    }
    return merged;
}

}  // namespace tarnwick
