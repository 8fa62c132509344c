// Any bytes as UTF-8 and as UTF-16 units: the conversions must never crash, and what
// they produce must survive the way back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/utf8_conversion.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string decoded = tarnwick::fromUtf8(bytes);
    if (tarnwick::fromUtf8(tarnwick::toUtf8(decoded)) != decoded) std::abort();

    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    const std::string encoded = tarnwick::toUtf8(units);
    if (tarnwick::toUtf8(tarnwick::fromUtf8(encoded)) != encoded) std::abort();
    return 0;
}
