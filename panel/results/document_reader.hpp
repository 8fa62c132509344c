#pragma once

#include <windows.h>

#include <cstdint>

#include "host/window_handle.hpp"

namespace tarnwick {

// A hidden editor view of the plugin's own on the searched document, through which the
// results' lines are read when their rows are drawn or copied, whether or not one of the
// host's views shows the document. It holds a reference to the document, so it lets go of
// it before the host closes it, and when the results are cleared. Its modification events
// are off: the host's views tell of every change.
class DocumentReader {
public:
    DocumentReader() = default;
    ~DocumentReader();
    DocumentReader(const DocumentReader&) = delete;
    DocumentReader& operator=(const DocumentReader&) = delete;

    // Shows `document` from now on; the view is made, a hidden child of `parent`, the
    // first time. False when no view could be made.
    bool attach(HWND parent, std::intptr_t document);
    void detach();
    // The view, while it shows a document; null otherwise.
    WindowHandle view() const { return document_ != 0 ? window_ : nullptr; }

private:
    HWND window_ = nullptr;
    std::intptr_t document_ = 0;
};

}  // namespace tarnwick
