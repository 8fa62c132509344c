#pragma once

#include <windows.h>

#include <string>

#include "minihost/scintilla_messages.hpp"

namespace tarnwick::testing {

// The whole text of a real Scintilla view, as its bytes.
inline std::string textOf(HWND view) {
    const auto length = SendMessageW(view, SCI_GETLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageW(view, SCI_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace tarnwick::testing
