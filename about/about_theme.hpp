#pragma once

#include <cstdint>

#include "host/window_handle.hpp"

namespace tarnwick {

// The picture area's margins in a light host, a COLORREF: white.
inline constexpr std::uint32_t kLightPictureMargin = 0x00FFFFFF;

// Asks the host to theme the About box as it themes its own dialogs; sent once the
// dialog's controls exist, so the host themes them too. A host without dark mode answers
// 0 and the dialog stays as it is.
void askHostToThemeDialog(WindowHandle host, WindowHandle dialog);

// The colour of the picture area's margins, a COLORREF: in a dark host its dark background,
// so that the logo does not stand in a white box; white in a light host and in a host that
// does not hand over a complete record of its dark colours.
std::uint32_t pictureMarginColour(WindowHandle host);

}  // namespace tarnwick
