#pragma once

#include <filesystem>
#include <string_view>

namespace tarnwick {

// Writes `text` through a text-mode stream to a temporary file beside `target`, and only
// when every byte is written replaces `target` with it in one step. On any failure the
// old file stays exactly as it was and no temporary file is left behind.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view text);

// Replaces `target` by `source` in one step, an existing `target` included.
bool replaceFile(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace tarnwick
