#include "core/marks/view_repaint.hpp"

#include "host/editor_messages.hpp"
#include "host/send_message.hpp"

namespace tarnwick {

void repaintWholeView(WindowHandle view) {
    const std::intptr_t whiteSpace = sendMessage(view, SCI_GETVIEWWS, 0, 0);
    sendMessage(view, SCI_SETVIEWWS, static_cast<std::uintptr_t>(whiteSpace), 0);
}

}  // namespace tarnwick
