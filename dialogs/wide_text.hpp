#pragma once

#include <string>

namespace tarnwick {

// The core keeps text as UTF-16 in char16_t; Win32 takes the same units as wchar_t.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

inline const wchar_t* asWide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string fromWide(const wchar_t* text, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

}  // namespace tarnwick
