#include "panel/results/document_reader.hpp"

#include "core/marks/view_repaint.hpp"
#include "host/editor_messages.hpp"
#include "host/send_message.hpp"

namespace tarnwick {

// The panel's window, its parent, may be gone already, and the view with it.
DocumentReader::~DocumentReader() {
    if (window_ == nullptr) return;
    setReaderView(nullptr);
    if (IsWindow(window_)) DestroyWindow(window_);  // lets go of its document
}

bool DocumentReader::attach(HWND parent, std::intptr_t document) {
    if (document == document_) return window_ != nullptr;
    if (window_ == nullptr) {
        window_ = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        if (window_ == nullptr) return false;
        SendMessageW(window_, SCI_SETMODEVENTMASK, 0, 0);
        // Hidden, it is never painted: from now on each indicator change costs it nothing.
        repaintWholeView(window_);
        setReaderView(window_);
    }
    sendMessage(window_, SCI_SETDOCPOINTER, 0, document);
    document_ = document;
    return true;
}

// A view given no document makes an empty one of its own, which holds nothing of the host's.
void DocumentReader::detach() {
    if (window_ == nullptr || document_ == 0) return;
    sendMessage(window_, SCI_SETDOCPOINTER, 0, 0);
    document_ = 0;
}

}  // namespace tarnwick
