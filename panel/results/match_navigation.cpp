#include "panel/results/match_navigation.hpp"

#include "core/marks/current_view.hpp"
#include "host/editor_messages.hpp"
#include "host/host_messages.hpp"
#include "host/send_message.hpp"

namespace tarnwick {

namespace {

// The host's answer for a buffer's tab: the view in the two highest bits of 32, the tab
// index in the other 30; -1 when no tab shows it.
constexpr int kTabPositionViewShift = 30;
constexpr std::uint32_t kTabPositionIndexMask = (1u << kTabPositionViewShift) - 1;

// Activates the document's tab; the view that shows it afterwards, or null.
WindowHandle bringForward(const NppData& hostHandles, const DocumentRef& document,
                          std::int32_t currentIndex) {
    if (document.bufferId == 0) return nullptr;
    const auto position = static_cast<std::int32_t>(sendMessage(
        hostHandles._nppHandle, NPPM_GETPOSFROMBUFFERID, document.bufferId, currentIndex));
    if (position < 0) return nullptr;
    const auto bits = static_cast<std::uint32_t>(position);
    const auto view = static_cast<std::int32_t>(bits >> kTabPositionViewShift);
    if (view != kMainView && view != kSecondView) return nullptr;
    sendMessage(hostHandles._nppHandle, NPPM_ACTIVATEDOC, static_cast<std::uintptr_t>(view),
                static_cast<std::intptr_t>(bits & kTabPositionIndexMask));
    return viewAt(hostHandles, view);
}

}  // namespace

void selectMatch(const EditorView& view, const SearchMatch& match) {
    const auto line = static_cast<std::uintptr_t>(match.line);
    view.send(SCI_ENSUREVISIBLEENFORCEPOLICY, line);
    view.send(SCI_GOTOLINE, line);
    view.send(SCI_SETSEL, static_cast<std::uintptr_t>(match.position),
              static_cast<std::intptr_t>(match.position + match.length));
}

WindowHandle showDocument(const NppData& hostHandles, const DocumentRef& document) {
    const std::int32_t currentIndex = currentViewIndex(hostHandles);
    WindowHandle view = viewAt(hostHandles, currentIndex);
    if (view == nullptr) return nullptr;
    if (documentShownIn(view) != document.pointer) {
        view = bringForward(hostHandles, document, currentIndex);
        // The host may not have switched after all.
        if (view == nullptr || documentShownIn(view) != document.pointer) return nullptr;
    }
    return view;
}

WindowHandle jumpToMatch(
    const NppData& hostHandles, const DocumentRef& document,
    const std::function<std::optional<SearchMatch>(WindowHandle)>& matchShown) {
    const WindowHandle view = showDocument(hostHandles, document);
    if (view == nullptr) return nullptr;
    const std::optional<SearchMatch> match = matchShown(view);
    if (!match) return nullptr;
    selectMatch(EditorView(view), *match);
    return view;
}

}  // namespace tarnwick
