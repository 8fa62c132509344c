#pragma once

#include <cstdint>
#include <vector>

#include "host/host_records.hpp"

namespace tarnwick {

// The host's two editor views as its messages number them.
inline constexpr std::int32_t kMainView = 0;
inline constexpr std::int32_t kSecondView = 1;

// Which view the host reports as current: the main view when it answers 0, the second
// view for any other answer (including none at all).
std::int32_t currentViewIndex(const NppData& hostHandles);

// The window of view `index` (kMainView, else the second view).
WindowHandle viewAt(const NppData& hostHandles, std::int32_t index);

// The window of the current view; null when the host's handles were never stored.
WindowHandle currentView(const NppData& hostHandles);

// The editor's document that `view` shows, as its pointer: the same document shown in
// both views gives the same value; 0 for no view.
std::intptr_t documentShownIn(WindowHandle view);

// The host's views that show `document` (a pointer as documentShownIn gives it), the main
// view first: none, one, or both for a document cloned into the second view.
std::vector<WindowHandle> viewsShowing(const NppData& hostHandles, std::intptr_t document);

// The host's buffer id of the document in its current view; 0 from a host without them.
std::uintptr_t currentBufferId(const NppData& hostHandles);

}  // namespace tarnwick
