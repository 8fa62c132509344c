#include "core/marks/current_view.hpp"

#include "host/editor_messages.hpp"
#include "host/host_messages.hpp"
#include "host/send_message.hpp"

namespace tarnwick {

std::int32_t currentViewIndex(const NppData& hostHandles) {
    std::int32_t which = -1;
    sendMessage(hostHandles._nppHandle, NPPM_GETCURRENTSCINTILLA, 0,
                reinterpret_cast<std::intptr_t>(&which));
    return which == kMainView ? kMainView : kSecondView;
}

WindowHandle viewAt(const NppData& hostHandles, std::int32_t index) {
    return index == kMainView ? hostHandles._scintillaMainHandle
                              : hostHandles._scintillaSecondHandle;
}

WindowHandle currentView(const NppData& hostHandles) {
    return viewAt(hostHandles, currentViewIndex(hostHandles));
}

std::intptr_t documentShownIn(WindowHandle view) {
    return sendMessage(view, SCI_GETDOCPOINTER, 0, 0);
}

std::vector<WindowHandle> viewsShowing(const NppData& hostHandles, std::intptr_t document) {
    std::vector<WindowHandle> views;
    for (const std::int32_t index : {kMainView, kSecondView}) {
        const WindowHandle view = viewAt(hostHandles, index);
        if (document != 0 && view != nullptr && documentShownIn(view) == document)
            views.push_back(view);
    }
    return views;
}

std::uintptr_t currentBufferId(const NppData& hostHandles) {
    return static_cast<std::uintptr_t>(
        sendMessage(hostHandles._nppHandle, NPPM_GETCURRENTBUFFERID, 0, 0));
}

}  // namespace tarnwick
