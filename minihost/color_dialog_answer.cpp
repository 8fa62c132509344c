#include "minihost/color_dialog_answer.hpp"

#include <commdlg.h>

#include <algorithm>
#include <stdexcept>

namespace tarnwick::minihost {

namespace {

ColorDialogAnswer* active = nullptr;

bool isDialog(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return wcscmp(className, L"#32770") == 0;
}

}  // namespace

ColorDialogAnswer::ColorDialogAnswer(std::optional<COLORREF> pick) : pick_(pick) {
    if (active != nullptr) throw std::logic_error("one colour dialog answer at a time");
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &watch, nullptr, GetCurrentThreadId());
    if (hook_ == nullptr) throw std::runtime_error("the colour dialog hook could not be set");
    active = this;
}

ColorDialogAnswer::~ColorDialogAnswer() {
    UnhookWindowsHookEx(hook_);
    active = nullptr;
}

// The colour dialog gets its request as WM_INITDIALOG's parameter. Seen before the dialog
// reads it, the request is kept and the picked colour becomes the one the dialog opens on,
// so that OK, posted to run once the dialog waits for the user, returns it.
LRESULT CALLBACK ColorDialogAnswer::watch(int code, WPARAM wParam, LPARAM lParam) {
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && active != nullptr && !active->offer_ &&
        call.message == WM_INITDIALOG && call.lParam != 0 && isDialog(call.hwnd)) {
        auto& request = *reinterpret_cast<CHOOSECOLORW*>(call.lParam);
        if (request.lStructSize == sizeof(CHOOSECOLORW)) active->answer(call.hwnd, request);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ColorDialogAnswer::answer(HWND dialog, CHOOSECOLORW& request) {
    Offer offer;
    offer.initial = request.rgbResult;
    offer.flags = request.Flags;
    if (request.lpCustColors != nullptr)
        std::copy_n(request.lpCustColors, offer.customColors.size(), offer.customColors.begin());
    offer_ = offer;
    if (pick_) request.rgbResult = *pick_;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(pick_ ? IDOK : IDCANCEL, BN_CLICKED), 0);
}

}  // namespace tarnwick::minihost
