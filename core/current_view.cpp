#include "core/current_view.hpp"

#include <cstdint>

#include "host/host_messages.hpp"
#include "host/send_message.hpp"

namespace tarnwick {

WindowHandle currentView(const NppData& hostHandles) {
    std::int32_t which = -1;
    sendMessage(hostHandles._nppHandle, NPPM_GETCURRENTSCINTILLA, 0,
                reinterpret_cast<std::intptr_t>(&which));
    return which == 0 ? hostHandles._scintillaMainHandle : hostHandles._scintillaSecondHandle;
}

}  // namespace tarnwick
