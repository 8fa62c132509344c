#pragma once

#include <windows.h>

#include <filesystem>

namespace tarnwick::minihost {

// Saves what the window shows on the screen, frame and menu included, as a PNG file.
// False when the picture cannot be taken or written.
bool saveWindowAsPng(HWND window, const std::filesystem::path& file);

}  // namespace tarnwick::minihost
