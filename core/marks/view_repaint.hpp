#pragma once

#include "host/window_handle.hpp"

namespace tarnwick {

// Asks an editor view to paint the whole of itself again once the messages waiting are
// handled, the way the editor asks it of itself: by setting how it shows white space to
// what it is. Until that paint the editor knows all of the view is to be painted, so it
// skips working out which part of the view each indicator change touches: a quarter of the
// cost of filling many ranges. A hidden view is never painted and keeps skipping it.
void repaintWholeView(WindowHandle view);

}  // namespace tarnwick
