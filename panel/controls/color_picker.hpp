#pragma once

#include <windows.h>

#include <optional>

#include "core/list/highlight_palette.hpp"

namespace tarnwick {

// The system's colour dialog, fully open on `initial`, offering the highlight palette as
// its custom colours. The colour chosen with OK; none after Cancel.
std::optional<Colorref> pickColor(HWND owner, Colorref initial);

}  // namespace tarnwick
