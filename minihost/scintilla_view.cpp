#include "minihost/scintilla_view.hpp"

#include <stdexcept>

#include "minihost/scintilla_messages.hpp"

namespace tarnwick::minihost {

ScintillaView::ScintillaView(HWND parent)
    : window_(CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                              0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr)) {
    if (!window_) throw std::runtime_error("a Scintilla view could not be created");
    useUtf8();
    // The view starts with one reference to the document it shows; the spare one is
    // created with the single reference that this object holds.
    spareDocument_ = send(SCI_CREATEDOCUMENT);
}

ScintillaView::~ScintillaView() {
    if (spareDocument_ != 0) send(SCI_RELEASEDOCUMENT, 0, spareDocument_);
}

LRESULT ScintillaView::send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(window_.get(), message, wParam, lParam);
}

void ScintillaView::setText(std::string_view utf8) const {
    send(SCI_CLEARALL);
    send(SCI_APPENDTEXT, utf8.size(), reinterpret_cast<LPARAM>(utf8.data()));
    // A freshly opened file is unmodified and cannot be undone back to empty.
    send(SCI_EMPTYUNDOBUFFER);
    send(SCI_SETSAVEPOINT);
}

void ScintillaView::switchDocument() {
    const LPARAM shown = send(SCI_GETDOCPOINTER);
    // Hold the shown document before the view lets go of it, then hand the view the
    // spare one: each document keeps exactly one reference beside the view's.
    send(SCI_ADDREFDOCUMENT, 0, shown);
    send(SCI_SETDOCPOINTER, 0, spareDocument_);
    send(SCI_RELEASEDOCUMENT, 0, spareDocument_);
    spareDocument_ = shown;
    useUtf8();
}

void ScintillaView::useUtf8() const {
    send(SCI_SETCODEPAGE, SC_CP_UTF8);
}

}  // namespace tarnwick::minihost
