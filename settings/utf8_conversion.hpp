#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Text inside the plugin is UTF-16; the editor and the settings file speak UTF-8.
// Neither direction ever fails: malformed UTF-8 and unpaired surrogates become U+FFFD
// and the conversion goes on with the rest of the input.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view bytes);
// The same text in `text`, whose storage is kept from call to call.
void fromUtf8(std::string_view bytes, std::u16string& text);

// True when every byte is below 0x80: such bytes are their own UTF-16 units.
bool isAscii(std::string_view bytes);

}  // namespace tarnwick
