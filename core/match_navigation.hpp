#pragma once

#include "core/editor_view.hpp"
#include "core/search_match.hpp"

namespace tarnwick {

// Brings the match's line into view (unfolding it if needed), moves the caret there and
// selects the match, anchor at its start and caret at its end.
void selectMatch(const EditorView& view, const SearchMatch& match);

}  // namespace tarnwick
