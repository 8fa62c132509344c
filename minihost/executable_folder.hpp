#pragma once

#include <filesystem>

namespace tarnwick::minihost {

// The folder of the running program: Scintilla.dll, the plugin and the default
// configuration folder are looked for beside it.
std::filesystem::path executableFolder();

}  // namespace tarnwick::minihost
