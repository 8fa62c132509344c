#pragma once

#include <windows.h>

namespace tarnwick {

// Opens the modal About box from the module's resources, owned by `owner`, and returns
// when it is closed.
void showAboutBox(HINSTANCE module, HWND owner);

// The three centred lines of the About box.
const wchar_t* aboutText();

}  // namespace tarnwick
