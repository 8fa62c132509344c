#include "minihost/scintilla_library.hpp"

#include <stdexcept>

#include "minihost/executable_folder.hpp"

namespace tarnwick::minihost {

ScintillaLibrary::ScintillaLibrary() {
    // A full path, so a Scintilla.dll elsewhere on the search path is never picked up.
    const auto path = executableFolder() / L"Scintilla.dll";
    module_.reset(LoadLibraryW(path.c_str()));
    if (!module_)
        throw std::runtime_error("Scintilla.dll could not be loaded from the program's folder");
}

}  // namespace tarnwick::minihost
