#pragma once

#include <windows.h>

#include <string_view>

namespace tarnwick {

// Replaces the clipboard's content with `text` as Unicode text. False, the clipboard as it
// was, when another window holds it open or the memory cannot be had.
bool putTextOnClipboard(HWND owner, std::u16string_view text);

}  // namespace tarnwick
