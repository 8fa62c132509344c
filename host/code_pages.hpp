#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// Conversions between UTF-16 and a Windows code page other than UTF-8, the way the
// platform's own conversions do them. Like sendMessage, the DLL links the Win32
// definitions and native tests link a substitute.

// The code page the system uses for ANSI text.
std::uint32_t systemAnsiCodePage();

// The text's bytes in `codePage`, or nothing when a character has no exact form there:
// neither a default character nor a best-fit look-alike is ever put in its place.
std::optional<std::string> encodeInCodePage(std::uint32_t codePage, std::u16string_view text);

// Never fails: bytes that the code page cannot decode become its default character.
std::u16string decodeFromCodePage(std::uint32_t codePage, std::string_view bytes);

}  // namespace tarnwick
