#pragma once

#include <string_view>

#include "minihost/scintilla_view.hpp"

namespace tarnwick::minihost {

// Replaces every match of `find` in the document `view` shows with `replacement`, as the
// editor's Replace All does: literally and ignoring case, from the start to the end, as one
// undo action, and with this view's modification events off, so that only another view
// showing the same document reports the changes. The search goes on after each
// replacement, so a replacement holding `find` is not searched again. Returns how many
// were replaced; none for an empty `find`. Telling the plugin is the caller's part.
int replaceAllInView(const ScintillaView& view, std::string_view find,
                     std::string_view replacement);

}  // namespace tarnwick::minihost
