#pragma once

#include <cstdint>

#include "core/search/editor_view.hpp"
#include "core/marks/marked_documents.hpp"
#include "core/results/match_edits.hpp"
#include "core/list/search_list.hpp"
#include "core/search/search_match.hpp"
#include "host/host_records.hpp"

namespace tarnwick {

// The ten editor indicators that mark matches: entry i (0 to 9) of the entries a Search
// looked in always paints with baseIndicator() + i, whether or not the entries before it
// are enabled, and whatever happens to the list after the Search: each indicator holds the
// colour of one searched entry, never of a row. Later entries are searched and listed but
// never highlighted. The `list` given is always the entries of the Search.
class IndicatorBlock {
public:
    static constexpr std::int32_t kDefaultBase = 9;
    static constexpr std::int32_t kIndicatorCount = 10;

    // Asks the host for ten indicator numbers; a refusal, or a first number that is not
    // positive, keeps the default block.
    void allocate(WindowHandle host);

    // Clears all ten indicators over the whole document, styles the indicator of each
    // enabled entry among the first ten, and fills every match of those ten entries,
    // whatever the list now holds.
    void apply(const EditorView& view, const SearchList& list, const MatchList& matches) const;
    // The same in parts, so that painting many marks can be spread over time: `prepare`
    // clears and styles, then `fill` of consecutive spans of rows paints them all; together
    // they send exactly the messages `apply` sends.
    void prepare(const EditorView& view, const SearchList& list) const;
    void fill(const EditorView& view, const MatchList& matches, std::size_t first,
              std::size_t end) const;

    void clear(const EditorView& view) const;
    // Fills the marks of these matches of the ten entries, the others left as they are.
    void fill(const EditorView& view, const MatchList& matches) const;
    // Gives each enabled entry among the first ten its look in the view.
    void style(const EditorView& view, const SearchList& list) const;
    // False when the first of the matches that the ten entries mark has lost its mark: the
    // host cleared the document's marks when it read the file again. The marks of a
    // document stay with it from view to view; only their looks belong to a view.
    bool marksKept(const EditorView& view, const MatchList& matches) const;

    // Gives entry `index` its colour in the view again after the colour changed, its
    // marks kept; nothing for an entry beyond the ten or outside the list.
    void restyle(const EditorView& view, const SearchList& list, std::size_t index) const;
    // Clears each range's bytes of its entry's indicator only; ranges of entries past the
    // ten were never marked and send nothing.
    void clearRanges(const EditorView& view, const std::vector<MarkRange>& ranges) const;

    std::int32_t baseIndicator() const { return baseIndicator_; }

private:
    void styleIndicator(const EditorView& view, std::int32_t indicator, Colorref color) const;

    std::int32_t baseIndicator_ = kDefaultBase;
};

// After a document switch, brings the marks of the document the current view shows in line
// with the results, without searching: the document they were found in is painted again
// (only styled, when its marks are still there), one whose marks are stale is cleared, any
// other is left alone. Sends nothing when there are neither results nor stale marks, or no
// current view.
void reapplyHighlights(const NppData& hostHandles, const SearchList& list, const MatchList& matches,
                       const IndicatorBlock& indicators, MarkedDocuments& marks);

}  // namespace tarnwick
