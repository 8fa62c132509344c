#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "minihost/scintilla_document.hpp"

namespace tarnwick::minihost {

// Names an open document for as long as the host runs; never 0 and never given twice.
using BufferId = std::uintptr_t;

inline constexpr UINT kUtf8CodePage = 65001;
// The system's ANSI code page: the bytes are kept as they are.
inline constexpr UINT kAnsiCodePage = 0;

// One open document: what the tabs of either view show.
struct Buffer {
    BufferId id;
    // The file's name, or "new N" for a document that has none.
    std::wstring name;
    bool untitled;
    UINT codePage;
    ScintillaDocument document;
};

}  // namespace tarnwick::minihost
