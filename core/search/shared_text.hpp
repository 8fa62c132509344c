#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "core/search/text_storage.hpp"

namespace tarnwick {

// An immutable UTF-16 text whose copies share one stored form instead of copying it, so
// that the matches of a search can hold their line and entry texts once. The units are
// stored one byte each when every one of them is below U+0100, as in most lines of most
// documents, and two bytes each otherwise; what is read back is the same either way.
//
// Copies count their storage without locks: like the search that makes them, a text and
// its copies belong to one thread.
class SharedText {
public:
    SharedText() = default;
    // A text of its own, for texts that no search stored.
    template <class Text>
    requires std::convertible_to<const Text&, std::u16string_view> SharedText(const Text& text)
        : SharedText(storedAlone(std::u16string_view(text))) {}

    SharedText(const SharedText& other) noexcept : header_(other.header_) { hold(); }
    SharedText(SharedText&& other) noexcept : header_(other.header_) { other.header_ = nullptr; }
    SharedText& operator=(SharedText other) noexcept {
        std::swap(header_, other.header_);
        return *this;
    }
    ~SharedText() { release(); }

    std::size_t size() const noexcept { return header_ ? header_->sizeAndWidth >> 1 : 0; }
    bool empty() const noexcept { return size() == 0; }
    char16_t operator[](std::size_t index) const noexcept;
    // Copies up to `count` units from `position` on, as std::u16string::copy does.
    std::size_t copy(char16_t* out, std::size_t count, std::size_t position = 0) const;
    std::u16string str() const;
    // True when both are the one stored form of a non-empty text.
    bool sharesStorageWith(const SharedText& other) const noexcept {
        return header_ != nullptr && header_ == other.header_;
    }

    friend bool operator==(const SharedText& a, const SharedText& b) noexcept;
    template <class Text>
    requires std::convertible_to<const Text&, std::u16string_view>
    friend bool operator==(const SharedText& a, const Text& b) noexcept {
        return a.equals(std::u16string_view(b));
    }

private:
    friend class TextArena;

    explicit SharedText(text_storage::Header* header) noexcept : header_(header) { hold(); }
    static SharedText storedAlone(std::u16string_view text);
    void hold() const noexcept {
        if (header_ != nullptr) ++text_storage::blockOf(header_)->holders;
    }
    void release() noexcept {
        if (header_ != nullptr) text_storage::release(text_storage::blockOf(header_));
    }
    bool wide() const noexcept { return (header_->sizeAndWidth & 1) != 0; }
    const unsigned char* units() const noexcept;
    bool equals(std::u16string_view text) const noexcept;

    text_storage::Header* header_ = nullptr;  // null for the empty text, which needs no storage
};

}  // namespace tarnwick
