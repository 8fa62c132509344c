#include "core/search/shared_text.hpp"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/search/text_arena.hpp"

namespace tarnwick {

SharedText SharedText::storedAlone(std::u16string_view text) {
    TextArena arena(0);  // a block of exactly the text's size
    return arena.add(text);
}

const unsigned char* SharedText::units() const noexcept {
    return reinterpret_cast<const unsigned char*>(header_ + 1);
}

char16_t SharedText::operator[](std::size_t index) const noexcept {
    if (wide()) return reinterpret_cast<const char16_t*>(units())[index];
    return units()[index];
}

std::size_t SharedText::copy(char16_t* out, std::size_t count, std::size_t position) const {
    if (position > size()) throw std::out_of_range("SharedText::copy: position past the end");
    const std::size_t copied = std::min(count, size() - position);
    if (copied == 0) return 0;
    if (wide())
        std::copy_n(reinterpret_cast<const char16_t*>(units()) + position, copied, out);
    else
        std::copy_n(units() + position, copied, out);
    return copied;
}

std::u16string SharedText::str() const {
    std::u16string text(size(), u'\0');
    copy(text.data(), text.size());
    return text;
}

bool SharedText::equals(std::u16string_view text) const noexcept {
    if (text.size() != size()) return false;
    if (text.empty()) return true;
    if (wide())
        return std::equal(text.begin(), text.end(), reinterpret_cast<const char16_t*>(units()));
    return std::equal(text.begin(), text.end(), units());
}

bool operator==(const SharedText& a, const SharedText& b) noexcept {
    if (a.size() != b.size()) return false;
    if (a.empty() || a.header_ == b.header_) return true;
    // A text is stored one byte a unit whenever it can be: of two texts of different
    // widths, one has a unit that the other cannot have.
    if (a.wide() != b.wide()) return false;
    return std::memcmp(a.units(), b.units(), a.size() * (a.wide() ? 2 : 1)) == 0;
}

}  // namespace tarnwick
