#include <windows.h>

#include <climits>

#include "host/code_pages.hpp"

namespace tarnwick {

namespace {

// The platform's conversions count in int; longer text is beyond any line or entry.
bool fitsInt(std::size_t size) {
    return size <= static_cast<std::size_t>(INT_MAX);
}

}  // namespace

std::uint32_t systemAnsiCodePage() {
    return GetACP();
}

std::optional<std::string> encodeInCodePage(std::uint32_t codePage, std::u16string_view text) {
    if (text.empty()) return std::string();
    if (!fitsInt(text.size())) return std::nullopt;
    const auto* units = reinterpret_cast<const wchar_t*>(text.data());
    const int unitCount = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, units, unitCount, nullptr,
                                         0, nullptr, &usedDefault);
    // A code page that refuses these flags cannot promise an exact form: nothing, then.
    if (size <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, units, unitCount, bytes.data(), size,
                        nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return bytes;
}

std::u16string decodeFromCodePage(std::uint32_t codePage, std::string_view bytes) {
    if (bytes.empty() || !fitsInt(bytes.size())) return {};
    const int byteCount = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), byteCount, nullptr, 0);
    if (size <= 0) return {};
    std::u16string text(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), byteCount, reinterpret_cast<wchar_t*>(text.data()),
                        size);
    return text;
}

}  // namespace tarnwick
