#include "core/search/search_run.hpp"

#include <algorithm>
#include <new>

#include "host/editor_messages.hpp"

namespace tarnwick {

namespace {

bool looksFor(const SearchEntry& entry) {
    return entry.enabled && !entry.text.empty();
}

}  // namespace

SearchRun::SearchRun(const EditorView& view, const SearchList& list, SearchRunLimits limits)
    : view_(view), entries_(list), limits_(limits) {
    limits_.rangeBytes = std::max<std::int64_t>(limits_.rangeBytes, 1);
    entriesToSearch_ = static_cast<std::size_t>(std::count_if(list.begin(), list.end(), looksFor));
    // A list with nothing to look for leaves the view alone, the code page query included.
    if (entriesToSearch_ == 0) nextEntry_ = entries_.size();
}

SearchRun::~SearchRun() = default;

SearchRun::State SearchRun::step(std::chrono::steady_clock::duration budget) {
    if (state_ != State::running) return state_;
    const bool timed = budget != std::chrono::steady_clock::duration::max();
    const auto start =
        timed ? std::chrono::steady_clock::now() : std::chrono::steady_clock::time_point();
    try {
        do {
            if (cursor_) {
                searchOnce();
            } else if (nextEntry_ < entries_.size()) {
                startEntry();
            } else if (merge()) {
                state_ = State::done;
            }
        } while (state_ == State::running &&
                 (!timed || std::chrono::steady_clock::now() - start < budget));
    } catch (const std::bad_alloc&) {
        release();
        state_ = State::outOfMemory;
    }
    return state_;
}

int SearchRun::percentDone() const {
    if (state_ == State::done) return 100;
    if (entriesToSearch_ == 0) return 0;
    double entries = static_cast<double>(entriesSearched_);
    if (cursor_ && cursor_->documentLength > 0)
        entries += static_cast<double>(std::min(cursor_->from, cursor_->documentLength)) /
                   static_cast<double>(cursor_->documentLength);
    // The merge is still to come: a run that is not done never says 100.
    return std::min(99, static_cast<int>(100 * entries / static_cast<double>(entriesToSearch_)));
}

// Disabled entries send nothing to the view but keep their index. The entries are looked
// for as the document's code page spells them, asked once per run; each entry asks for the
// document's length as it starts.
void SearchRun::startEntry() {
    const std::size_t index = nextEntry_++;
    const SearchEntry& entry = entries_[index];
    if (!entry.enabled) return;
    if (!encoding_) encoding_ = DocumentEncoding::of(view_);
    auto finder =
        std::make_unique<EntryFinder>(view_, *encoding_, entry, static_cast<std::int32_t>(index));
    if (!finder->findsAnything()) {
        // An entry the code page cannot spell finds nothing; an empty one was never counted.
        if (looksFor(entry)) ++entriesSearched_;
        return;
    }
    runs_.emplace_back();
    const std::int64_t length = view_.send(SCI_GETLENGTH);
    cursor_ = EntryCursor{std::move(finder), length, 0, limits_.rangeBytes};
}

// One target search: from where the previous match ended to the end of the current range,
// plus the longest match, so that a match starting in the range is found whole (for a
// regular expression, whose matches have no bound, that is the rest of the document). A match
// that starts after the range is left for the next one, which may find one starting
// earlier. Matches never overlap: each search starts where the previous match ended.
void SearchRun::searchOnce() {
    EntryCursor& cursor = *cursor_;
    const std::int64_t targetEnd =
        std::min(cursor.documentLength, cursor.limit + cursor.finder->longestMatch());
    const bool restOfDocument = targetEnd >= cursor.documentLength;
    const auto found = cursor.finder->next({cursor.from, targetEnd});
    if (cursor.finder->rejection() != Rejection::none) {
        rejected_.push_back({cursor.finder->entryIndex(), cursor.finder->rejection()});
        return endEntry();
    }
    if (!found || (found->start >= cursor.limit && !restOfDocument)) {
        if (restOfDocument) return endEntry();
        cursor.from = std::max(cursor.from, cursor.limit);
        cursor.limit += limits_.rangeBytes;
        return;
    }
    if (limits_.failAtMatch && held_ >= *limits_.failAtMatch) throw std::bad_alloc();
    runs_.back().push_back(cursor.finder->collect(*found));
    ++held_;
    // An editor that reported a match not past the search start would otherwise keep the
    // host's thread in this loop for ever.
    if (found->end >= cursor.documentLength || found->end <= cursor.from) return endEntry();
    cursor.from = found->end;
}

void SearchRun::endEntry() {
    cursor_.reset();
    ++entriesSearched_;
}

// Each entry's matches come in document order, so merging them orders the whole list in
// one pass instead of sorting it; a few milliseconds of it between two reads of the clock.
bool SearchRun::merge() {
    constexpr std::size_t kMatchesPerPart = 1 << 17;
    if (!merge_) {
        merge_.emplace(std::move(runs_));
        runs_.clear();
    }
    if (!merge_->take(kMatchesPerPart)) return false;
    merged_ = merge_->merged();
    merge_.reset();
    return true;
}

void SearchRun::release() {
    cursor_.reset();
    merge_.reset();
    std::vector<MatchList>().swap(runs_);
    rejected_.clear();
    MatchList().swap(merged_);
}

}  // namespace tarnwick
