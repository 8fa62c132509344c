#pragma once

#include <functional>
#include <optional>

#include "core/search/editor_view.hpp"
#include "core/marks/marked_documents.hpp"
#include "core/search/search_match.hpp"
#include "host/host_records.hpp"

namespace tarnwick {

// Brings the match's line into view (unfolding it if needed), moves the caret there and
// selects the match, anchor at its start and caret at its end.
void selectMatch(const EditorView& view, const SearchMatch& match);

// The view that shows `document`: the current view, after bringing the document forward
// when that view shows another one. Null when the document is no longer open or the host
// cannot say where it is, so that nothing lands in the wrong text.
WindowHandle showDocument(const NppData& hostHandles, const DocumentRef& document);

// Selects a match in `document`, shown first as showDocument does: the one `matchShown`
// gives once the document is shown in the view it is passed (showing a document may change
// what the results hold), none when it gives none. Returns the view that now shows the
// match, or null, having selected nothing.
WindowHandle jumpToMatch(const NppData& hostHandles, const DocumentRef& document,
                         const std::function<std::optional<SearchMatch>(WindowHandle)>& matchShown);

}  // namespace tarnwick
