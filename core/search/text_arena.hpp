#pragma once

#include <cstddef>
#include <string_view>

#include "core/search/shared_text.hpp"
#include "core/search/text_storage.hpp"

namespace tarnwick {

// Stores the texts of one search side by side in a few large blocks, instead of making an
// allocation for every line. A block is freed once the arena and every text in it are gone.
class TextArena {
public:
    // Blocks start at `firstBlockBytes` (or the first text's size) and double up to a limit.
    explicit TextArena(std::size_t firstBlockBytes = 4096) : nextBlockBytes_(firstBlockBytes) {}
    ~TextArena();
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;

    // A text of these units.
    SharedText add(std::u16string_view units);
    // A text whose units are these bytes: every unit below U+0100, as ASCII text's are.
    SharedText addLatin1(std::string_view units);

private:
    struct Room {
        text_storage::Block* block;
        std::size_t offset;
    };

    text_storage::Header* place(std::size_t units, bool wide);
    Room room(std::size_t bytes);

    text_storage::Block* block_ = nullptr;  // where texts go now; the arena holds it
    std::size_t used_ = 0;
    std::size_t capacity_ = 0;
    std::size_t nextBlockBytes_;
};

}  // namespace tarnwick
