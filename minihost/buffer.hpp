#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "minihost/disk_file.hpp"
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
    // The file it was opened from; none for a "new N" document.
    std::optional<DiskFile> file;
    UINT codePage;
    ScintillaDocument document;
    // Watched for changes on disk (tail -f); only a document with a file can be.
    bool monitored = false;
    // The text of a reload asked for while no view showed the document: it goes in when a
    // view shows it next, as the editor reloads a background tab only when it is shown.
    std::optional<std::string> pendingReload;

    bool untitled() const { return !file; }
};

}  // namespace tarnwick::minihost
