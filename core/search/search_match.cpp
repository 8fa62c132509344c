#include "core/search/search_match.hpp"

#include <algorithm>

namespace tarnwick {

namespace {

bool comesBefore(const SearchMatch& a, const SearchMatch& b) {
    if (a.line != b.line) return a.line < b.line;
    return a.position < b.position;
}

}  // namespace

// Heap order for the cursors: the one whose next match comes first is on top; at the same
// place the earlier run wins, so ties come out in run order.
bool MatchMerge::mergesLater(const RunCursor& a, const RunCursor& b) {
    if (comesBefore(*b.next, *a.next)) return true;
    if (comesBefore(*a.next, *b.next)) return false;
    return a.run > b.run;
}

MatchMerge::MatchMerge(std::vector<MatchList> runs) : runs_(std::move(runs)) {
    std::size_t total = 0;
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        MatchList& run = runs_[i];
        // A run from a real editor is already in order; one from an editor whose line
        // numbers go backwards is sorted first, so the merge always gets ordered runs.
        if (!std::is_sorted(run.begin(), run.end(), comesBefore))
            std::sort(run.begin(), run.end(), comesBefore);
        total += run.size();
        if (!run.empty()) heap_.push_back({run.begin(), run.end(), i});
    }
    std::make_heap(heap_.begin(), heap_.end(), mergesLater);
    merged_.reserve(total);  // kept until the next search: exactly the size it needs
}

bool MatchMerge::take(std::size_t count) {
    const std::size_t before = merged_.size();
    const auto more = [&] { return merged_.size() - before < count; };
    while (!heap_.empty() && more()) {
        std::pop_heap(heap_.begin(), heap_.end(), mergesLater);
        RunCursor& cursor = heap_.back();
        const bool othersLeft = heap_.size() > 1;
        // One entry's matches often come many in a row (a frequent entry between rare
        // ones): they are taken while their run stays first, without a heap step each.
        do merged_.push_back(std::move(*cursor.next));
        while (++cursor.next != cursor.end && more() &&
               !(othersLeft && mergesLater(cursor, heap_.front())));
        if (cursor.next != cursor.end) {
            std::push_heap(heap_.begin(), heap_.end(), mergesLater);
        } else {
            MatchList().swap(runs_[cursor.run]);  // its records were moved: give the memory back
            heap_.pop_back();
        }
    }
    return heap_.empty();
}

MatchList mergeByLineAndPosition(std::vector<MatchList> runs) {
    MatchMerge merge(std::move(runs));
    merge.take(SIZE_MAX);
    return merge.merged();
}

}  // namespace tarnwick
