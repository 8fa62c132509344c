#pragma once

#include <filesystem>

namespace tarnwick::bench {

// A list of 10,000 strings in the settings file: the panel opened with them, a click on
// the All box and an Add, each run in a host of its own over `folder`.
void longListFigures(const std::filesystem::path& folder);

}  // namespace tarnwick::bench
