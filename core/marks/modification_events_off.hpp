#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "host/host_records.hpp"

namespace tarnwick {

// For its life, no view that shows a document notifies changes to it: filling or clearing
// thousands of indicator ranges with the notifications on tells the host, and through it
// every plugin, of each range, and the host repaints the whole view for every one. Each
// view's modification event mask is read, set to 0, and put back as it was when the guard
// goes, also when the work in between fails: a mask left at 0 would stop the host's own
// tracking of edits. Each view is repainted once, as a whole, after the work: asked for
// before it, which makes the editor's own work for each indicator change cheaper.
class ModificationEventsOff {
public:
    // `view` and whichever of the host's views shows `document` too (its pointer, as
    // documentShownIn gives it; 0 names none).
    ModificationEventsOff(const NppData& hostHandles, WindowHandle view, std::intptr_t document);
    ~ModificationEventsOff();
    ModificationEventsOff(const ModificationEventsOff&) = delete;
    ModificationEventsOff& operator=(const ModificationEventsOff&) = delete;

private:
    struct QuietView {
        WindowHandle window;
        std::intptr_t mask;
    };

    bool isQuiet(WindowHandle window) const;
    void quiet(WindowHandle window);
    void restore() noexcept;

    // The view itself and the host's two, when it is neither of them.
    std::array<QuietView, 3> views_{};
    std::size_t count_ = 0;
};

}  // namespace tarnwick
