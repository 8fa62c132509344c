#include "oversized_line_view.hpp"

#include <cstring>

#include "host/editor_messages.hpp"
#include "test_window.hpp"

namespace tarnwick::testing {

OversizedLineView::OversizedLineView(std::string document)
    : document_(std::move(document)),
      window_(createLinkedWindow(L"TarnwickOversizedLineView", &OversizedLineView::windowProc, 0,
                                 HWND_MESSAGE, this)) {}

OversizedLineView::~OversizedLineView() {
    DestroyWindow(window_);
}

LRESULT CALLBACK OversizedLineView::windowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    auto* self = linkedOwner<OversizedLineView>(window);
    if (self == nullptr || message < WM_USER)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->answer(message, wParam, lParam);
}

LRESULT OversizedLineView::answer(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto length = static_cast<std::intptr_t>(document_.size());
    switch (message) {
        case SCI_GETLENGTH: return length;
        case SCI_SETTARGETSTART: targetStart_ = static_cast<std::intptr_t>(wParam); return 0;
        case SCI_SETTARGETEND: targetEnd_ = static_cast<std::intptr_t>(wParam); return 0;
        case SCI_GETTARGETEND: return targetEnd_;
        case SCI_SEARCHINTARGET: {
            const std::string needle(reinterpret_cast<const char*>(lParam), wParam);
            const auto found = document_.find(needle, static_cast<std::size_t>(targetStart_));
            if (found == std::string::npos ||
                static_cast<std::intptr_t>(found + wParam) > targetEnd_)
                return -1;
            targetStart_ = static_cast<std::intptr_t>(found);
            targetEnd_ = targetStart_ + static_cast<std::intptr_t>(wParam);
            return targetStart_;
        }
        case SCI_LINEFROMPOSITION: return 0;
        case SCI_LINELENGTH: return oversized_ ? INTPTR_MAX / 2 : length;
        case SCI_GETLINE:
            std::memcpy(reinterpret_cast<char*>(lParam), document_.data(), document_.size());
            return length;
        case SCI_SETINDICATORCURRENT:
        case SCI_INDICATORCLEARRANGE:
        case SCI_INDICATORFILLRANGE:
        case SCI_INDICSETSTYLE: ++indicatorMessages_; return 0;
        default: return 0;
    }
}

}  // namespace tarnwick::testing
