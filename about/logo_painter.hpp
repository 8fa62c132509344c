#pragma once

#include <windows.h>

namespace tarnwick {

// Paints the About box's picture area: white, then the PNG logo from the module's
// resources scaled to fit and centred. Any step that fails leaves the area white; the
// image is decoded anew at every paint and everything made for it is released.
void paintLogo(HMODULE module, HDC dc, const RECT& area);

}  // namespace tarnwick
