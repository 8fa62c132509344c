#pragma once

#include <windows.h>

namespace tarnwick {

// Paints the About box's picture area: filled with `margin` (white in a light host), then
// the PNG logo from the module's resources scaled to fit and centred over it. Any step that
// fails leaves the area in the margin colour; the image is decoded anew at every paint and
// everything made for it is released.
void paintLogo(HMODULE module, HDC dc, const RECT& area, COLORREF margin);

}  // namespace tarnwick
