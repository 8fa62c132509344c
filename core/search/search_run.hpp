#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/list/search_list.hpp"
#include "core/search/document_encoding.hpp"
#include "core/search/editor_view.hpp"
#include "core/search/entry_finder.hpp"
#include "core/search/search_match.hpp"

namespace tarnwick {

// How a search run divides its work.
struct SearchRunLimits {
    // The most bytes one target search looks through for the start of a match, so that no
    // single editor message takes long on a big document.
    std::int64_t rangeBytes = std::int64_t{4} << 20;
    // Once this many matches are held, the next one fails as an allocation that finds no
    // memory would: the way tests reach that failure. None in normal use.
    std::optional<std::size_t> failAtMatch;
};

// An entry whose regular expression the editor refused, and how.
struct RejectedEntry {
    std::int32_t entryIndex = 0;
    Rejection why = Rejection::none;

    bool operator==(const RejectedEntry&) const = default;
};

// One search of the enabled entries of a list in the document a view shows, done a slice
// at a time so that the host's thread can do other work between the slices. The entries
// are searched one after the other, each in ranges of the document; when all are done, the
// matches are merged by line and position, exactly as one search from start to end finds
// and orders them. Memory running out stops the run: what it found is released, and the
// run tells how many matches it held then.
class SearchRun {
public:
    enum class State { running, done, outOfMemory };

    SearchRun(const EditorView& view, const SearchList& list, SearchRunLimits limits = {});
    ~SearchRun();
    SearchRun(const SearchRun&) = delete;
    SearchRun& operator=(const SearchRun&) = delete;

    // Searches until `budget` has passed (at least one target search, or a part of the
    // merge), or the run is over.
    State step(std::chrono::steady_clock::duration budget);
    // Searches to the end at once.
    State finish() { return step(std::chrono::steady_clock::duration::max()); }

    State state() const { return state_; }
    // How much of the document's searching is done, 0 to 100.
    int percentDone() const;
    // The matches held now; after memory ran out, those held when it did.
    std::size_t matchesHeld() const { return held_; }
    const EditorView& view() const { return view_; }
    // The list as it was when the run started.
    const SearchList& entries() const { return entries_; }
    // The entries whose regular expressions the editor refused; they found nothing.
    const std::vector<RejectedEntry>& rejected() const { return rejected_; }
    // The merged matches of a run that is done, still held by it.
    const MatchList& matches() const { return merged_; }
    // The merged matches of a run that is done; the run holds none afterwards.
    MatchList takeMatches() { return std::move(merged_); }

private:
    // Where the search of the current entry stands.
    struct EntryCursor {
        std::unique_ptr<EntryFinder> finder;
        std::int64_t documentLength = 0;
        std::int64_t from = 0;   // where the next match may start: the previous one's end
        std::int64_t limit = 0;  // the end of the range whose matches are taken now
    };

    void searchOnce();
    void startEntry();
    void endEntry();
    // A part of the merge; true once it is done.
    bool merge();
    void release();

    EditorView view_;
    SearchList entries_;
    SearchRunLimits limits_;
    std::optional<DocumentEncoding> encoding_;
    std::size_t nextEntry_ = 0;
    std::size_t entriesSearched_ = 0;
    std::size_t entriesToSearch_ = 0;
    std::optional<EntryCursor> cursor_;
    std::vector<MatchList> runs_;  // each entry's matches, in document order
    std::vector<RejectedEntry> rejected_;
    std::optional<MatchMerge> merge_;
    MatchList merged_;
    std::size_t held_ = 0;
    State state_ = State::running;
};

}  // namespace tarnwick
