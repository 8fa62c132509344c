#pragma once

#include "core/editor_view.hpp"
#include "core/marked_documents.hpp"
#include "core/search_match.hpp"
#include "host/host_records.hpp"

namespace tarnwick {

// Brings the match's line into view (unfolding it if needed), moves the caret there and
// selects the match, anchor at its start and caret at its end.
void selectMatch(const EditorView& view, const SearchMatch& match);

// Selects the match in `document`, first bringing that document forward when the current
// view shows another one, so that a selection never lands in the wrong text. Returns the
// view that now shows the match, or null, having selected nothing, when the document is
// no longer open or the host cannot say where it is.
WindowHandle jumpToMatch(const NppData& hostHandles, const DocumentRef& document,
                         const SearchMatch& match);

}  // namespace tarnwick
