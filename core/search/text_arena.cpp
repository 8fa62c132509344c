#include "core/search/text_arena.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace tarnwick {

namespace {

using text_storage::Block;
using text_storage::Header;

// Small enough for the heap to keep and hand out again: larger blocks are mapped on their
// own (above about 100 KB under Wine), so each search would fault its texts' pages in anew.
constexpr std::size_t kLargestBlockBytes = 64 * 1024;
// A text that would take more than a quarter of the largest block gets a block of its own,
// so that no block leaves more than that unused at its end.
constexpr std::size_t kOwnBlockBytes = kLargestBlockBytes / 4;
// What the header's 31 bits of size hold; a line's length reaches the search in 31 bits too.
constexpr std::size_t kMostUnits = 0x7FFF'FFFF;

std::size_t storedBytes(std::size_t units, std::size_t unitBytes) {
    constexpr std::size_t kOverhead = sizeof(Block) + sizeof(Header) + alignof(Header);
    if (units > kMostUnits ||
        units > (std::numeric_limits<std::size_t>::max() - kOverhead) / unitBytes)
        throw std::length_error("text too long to store");
    const std::size_t bytes = sizeof(Header) + units * unitBytes;
    return (bytes + alignof(Header) - 1) / alignof(Header) * alignof(Header);
}

Block* newBlock(std::size_t textBytes) {
    return new (::operator new(sizeof(Block) + textBytes)) Block{0};
}

bool fitsOneByte(std::u16string_view units) {
    return std::all_of(units.begin(), units.end(), [](char16_t unit) { return unit < 0x100; });
}

}  // namespace

TextArena::~TextArena() {
    if (block_ != nullptr) text_storage::release(block_);
}

SharedText TextArena::add(std::u16string_view units) {
    if (units.empty()) return {};
    const bool wide = !fitsOneByte(units);
    Header* header = place(units.size(), wide);
    if (wide)
        std::copy(units.begin(), units.end(), reinterpret_cast<char16_t*>(header + 1));
    else
        std::transform(units.begin(), units.end(), reinterpret_cast<unsigned char*>(header + 1),
                       [](char16_t unit) { return static_cast<unsigned char>(unit); });
    return SharedText(header);
}

SharedText TextArena::addLatin1(std::string_view units) {
    if (units.empty()) return {};
    Header* header = place(units.size(), false);
    std::memcpy(header + 1, units.data(), units.size());
    return SharedText(header);
}

Header* TextArena::place(std::size_t units, bool wide) {
    const Room at = room(storedBytes(units, wide ? 2 : 1));
    const auto sizeAndWidth = static_cast<std::uint32_t>(units << 1 | (wide ? 1 : 0));
    return new (reinterpret_cast<std::byte*>(at.block) + at.offset)
        Header{static_cast<std::uint32_t>(at.offset), sizeAndWidth};
}

TextArena::Room TextArena::room(std::size_t bytes) {
    if (bytes > kOwnBlockBytes) return {newBlock(bytes), sizeof(Block)};  // held by its text alone
    if (block_ == nullptr || capacity_ - used_ < bytes) {
        const std::size_t blockBytes = std::max(bytes, nextBlockBytes_);
        Block* next = newBlock(blockBytes);
        if (block_ != nullptr) text_storage::release(block_);
        block_ = next;
        ++block_->holders;
        used_ = sizeof(Block);
        capacity_ = sizeof(Block) + blockBytes;
        nextBlockBytes_ = std::min(kLargestBlockBytes, nextBlockBytes_ * 2);
    }
    const Room at{block_, used_};
    used_ += bytes;
    return at;
}

}  // namespace tarnwick
