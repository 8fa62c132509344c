#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tarnwick::minihost {

// The dialog's two edit boxes.
inline constexpr int kReplaceFindBox = 1001;
inline constexpr int kReplaceReplacementBox = 1002;

// What the user asked Replace All to do, in the bytes of the document's code page.
struct ReplaceRequest {
    std::string find;
    std::string replacement;
};

// Asks for the text to find and its replacement in a small modal dialog owned by `owner`,
// and returns them in `codePage` (65001 UTF-8, or 0 the system's ANSI code page); nothing
// when the user cancels.
std::optional<ReplaceRequest> askReplaceAll(HWND owner, UINT codePage);

}  // namespace tarnwick::minihost
