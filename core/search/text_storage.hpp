#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

// How SharedText keeps its texts and TextArena writes them: blocks of storage that many
// texts share, each freed with the last text, or arena, that holds it.
namespace tarnwick::text_storage {

struct Block {
    std::size_t holders;
};

// Each stored text: this header, aligned as it needs inside its block, then its units.
struct Header {
    std::uint32_t blockOffset;   // bytes from the block's start to this header
    std::uint32_t sizeAndWidth;  // the number of units, shifted up; 1 for two-byte units
};

inline Block* blockOf(Header* header) noexcept {
    return reinterpret_cast<Block*>(reinterpret_cast<std::byte*>(header) - header->blockOffset);
}

inline void release(Block* block) noexcept {
    if (--block->holders != 0) return;
    block->~Block();
    ::operator delete(block);
}

}  // namespace tarnwick::text_storage
