#include "settings/utf8_conversion.hpp"

#include <cstdint>
#include <cstring>
#include <iterator>

#include <utf8.h>

namespace tarnwick {

namespace {

constexpr char16_t kReplacementCharacter = u'\uFFFD';

bool isLeadSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isTrailSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The library refuses unpaired surrogates instead of replacing them, so they are
// replaced here first; every pair that remains is well formed.
std::u16string withPairedSurrogatesOnly(std::u16string_view text) {
    std::u16string sound(text);
    for (std::size_t i = 0; i < sound.size(); ++i) {
        if (isLeadSurrogate(sound[i]) && i + 1 < sound.size() && isTrailSurrogate(sound[i + 1]))
            ++i;
        else if (isLeadSurrogate(sound[i]) || isTrailSurrogate(sound[i]))
            sound[i] = kReplacementCharacter;
    }
    return sound;
}

}  // namespace

std::string toUtf8(std::u16string_view text) {
    const std::u16string sound = withPairedSurrogatesOnly(text);
    std::string bytes;
    bytes.reserve(sound.size());
    utf8::unchecked::utf16to8(sound.begin(), sound.end(), std::back_inserter(bytes));
    return bytes;
}

std::u16string fromUtf8(std::string_view bytes) {
    std::u16string text;
    fromUtf8(bytes, text);
    return text;
}

void fromUtf8(std::string_view bytes, std::u16string& text) {
    text.clear();
    text.reserve(bytes.size());  // no more units than bytes, even where U+FFFD replaces one
    // Most text is ASCII, whose bytes are its UTF-16 units; valid text needs no repair copy.
    if (isAscii(bytes)) {
        text.append(bytes.begin(), bytes.end());
        return;
    }
    std::string repaired;
    if (utf8::find_invalid(bytes.begin(), bytes.end()) != bytes.end()) {
        repaired.reserve(bytes.size());
        utf8::replace_invalid(bytes.begin(), bytes.end(), std::back_inserter(repaired));
        bytes = repaired;
    }
    utf8::unchecked::utf8to16(bytes.begin(), bytes.end(), std::back_inserter(text));
}

bool isAscii(std::string_view bytes) {
    // Eight bytes at a time: a search reads the whole line of every match, and lines of
    // thousands of bytes are common in logs and data files.
    constexpr std::uint64_t kHighBits = 0x8080'8080'8080'8080;
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= bytes.size(); i += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if ((word & kHighBits) != 0) return false;
    }
    for (; i < bytes.size(); ++i)
        if ((static_cast<unsigned char>(bytes[i]) & 0x80) != 0) return false;
    return true;
}

}  // namespace tarnwick
