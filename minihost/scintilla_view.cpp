#include "minihost/scintilla_view.hpp"

#include <algorithm>
#include <stdexcept>

#include "minihost/scintilla_messages.hpp"

namespace tarnwick::minihost {

ScintillaView::ScintillaView(HWND parent)
    : window_(CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                              0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr)) {
    if (!window_) throw std::runtime_error("a Scintilla view could not be created");
    send(SCI_SETMODEVENTMASK, kHostModificationMask);
}

LRESULT ScintillaView::send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(window_.get(), message, wParam, lParam);
}

void ScintillaView::show(LPARAM document, UINT codePage) const {
    send(SCI_SETDOCPOINTER, 0, document);
    // The document keeps its code page, but the view is told again each time, as the
    // editor does, so a document never shows in the previous one's.
    send(SCI_SETCODEPAGE, codePage);
}

void ScintillaView::detach() const {
    send(SCI_SETDOCPOINTER, 0, 0);
}

ViewPlace ScintillaView::place() const {
    return {send(SCI_GETFIRSTVISIBLELINE), send(SCI_GETANCHOR), send(SCI_GETCURRENTPOS)};
}

void ScintillaView::restore(const ViewPlace& place) const {
    const LRESULT length = send(SCI_GETLENGTH);
    send(SCI_SETSEL, std::min(place.anchor, length), std::min(place.caret, length));
    // After the selection, which scrolls the caret into view.
    send(SCI_SETFIRSTVISIBLELINE, place.firstVisibleLine);
}

void ScintillaView::setText(std::string_view bytes) const {
    send(SCI_CLEARALL);
    send(SCI_APPENDTEXT, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
    // A freshly opened file is unmodified and cannot be undone back to empty.
    send(SCI_EMPTYUNDOBUFFER);
    send(SCI_SETSAVEPOINT);
}

bool ScintillaView::isPristine() const {
    return send(SCI_GETLENGTH) == 0 && send(SCI_GETMODIFY) == 0;
}

}  // namespace tarnwick::minihost
