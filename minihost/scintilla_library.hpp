#pragma once

#include "dialogs/unique_handle.hpp"

namespace tarnwick::minihost {

// Scintilla.dll loaded from the program's folder. While it is loaded the window class
// "Scintilla" exists, so it must outlive every editor view.
class ScintillaLibrary {
public:
    // Throws std::runtime_error when the library is missing or does not load.
    ScintillaLibrary();

private:
    ModuleOwner module_;
};

}  // namespace tarnwick::minihost
