#include "core/match_navigation.hpp"

#include "host/editor_messages.hpp"

namespace tarnwick {

void selectMatch(const EditorView& view, const SearchMatch& match) {
    const auto line = static_cast<std::uintptr_t>(match.line);
    view.send(SCI_ENSUREVISIBLEENFORCEPOLICY, line);
    view.send(SCI_GOTOLINE, line);
    view.send(SCI_SETSEL, static_cast<std::uintptr_t>(match.position),
              static_cast<std::intptr_t>(match.position + match.length));
}

}  // namespace tarnwick
