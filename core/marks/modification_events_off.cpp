#include "core/marks/modification_events_off.hpp"

#include "core/marks/current_view.hpp"
#include "core/marks/view_repaint.hpp"
#include "host/editor_messages.hpp"
#include "host/send_message.hpp"

namespace tarnwick {

ModificationEventsOff::ModificationEventsOff(const NppData& hostHandles, WindowHandle view,
                                             std::intptr_t document) {
    try {
        quiet(view);
        for (const WindowHandle other :
             {hostHandles._scintillaMainHandle, hostHandles._scintillaSecondHandle}) {
            if (other != nullptr && document != 0 && !isQuiet(other) &&
                documentShownIn(other) == document)
                quiet(other);
        }
    } catch (...) {
        restore();
        throw;
    }
}

ModificationEventsOff::~ModificationEventsOff() {
    restore();
}

bool ModificationEventsOff::isQuiet(WindowHandle window) const {
    for (std::size_t i = 0; i < count_; ++i)
        if (views_[i].window == window) return true;
    return false;
}

void ModificationEventsOff::quiet(WindowHandle window) {
    const std::intptr_t mask = sendMessage(window, SCI_GETMODEVENTMASK, 0, 0);
    views_[count_++] = {window, mask};
    sendMessage(window, SCI_SETMODEVENTMASK, 0, 0);
    repaintWholeView(window);
}

void ModificationEventsOff::restore() noexcept {
    for (std::size_t i = 0; i < count_; ++i)
        sendMessage(views_[i].window, SCI_SETMODEVENTMASK,
                    static_cast<std::uintptr_t>(views_[i].mask), 0);
    count_ = 0;
}

}  // namespace tarnwick
