#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <vector>

#include "core/list/search_entry.hpp"
#include "core/search/entry_finder.hpp"
#include "core/search/shared_text.hpp"

namespace tarnwick {

// The results label after a search: the plural stands for one match too. `notes` follow
// the count, each after "; ".
std::u16string resultsLabelText(std::size_t matchCount,
                                const std::vector<std::u16string>& notes = {});

// The note of an entry whose regular expression the editor refused.
std::u16string rejectionNote(Rejection why, const std::u16string& pattern);

// The Options column of the search list: "Aa" (match case), "W" (whole word) and ".*"
// (regular expression), each only when on.
std::u16string optionsColumnText(const MatchOptions& options);

// The results label before any search and after Clear.
inline constexpr char16_t kEmptyResultsLabel[] = u"Results:";

// The results label while a Search that takes long runs: how much of its work is done.
std::u16string searchProgressText(int percent);

// The results label after a Search was stopped (Esc, Clear, a change to its document) and
// after one that ran out of memory, which tells how many matches it held then.
inline constexpr char16_t kSearchStoppedLabel[] = u"Search stopped";
std::u16string searchOutOfMemoryText(std::size_t matchCount);

// The results label after any other command failed for lack of memory, leaving things as
// they were.
inline constexpr char16_t kCommandOutOfMemoryLabel[] =
    u"Not enough memory: the command was not done";

// The results label while the search list holds changes that could not be saved, and why,
// in the system's words.
std::u16string listNotSavedText(std::u16string_view why);

// The Line column: lines are 0-based inside, 1-based on the screen.
std::u16string lineColumnText(std::int32_t line);

// The Content column: what a cell of `room` units shows of a match's line, the match
// starting at unit `column`. A line that fits is shown whole. A longer one, which would
// otherwise show its start and not the match, is shown from about 40 units before the
// match, with "…" where text was left out at the start, and cut to the room; neither end
// falls inside a surrogate pair.
std::u16string contentColumnText(const SharedText& line, std::size_t column, std::size_t room);

}  // namespace tarnwick
