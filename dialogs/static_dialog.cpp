#include "dialogs/static_dialog.hpp"

#include "dialogs/exception_barrier.hpp"

namespace tarnwick {

namespace {

void unlink(HWND window) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

}  // namespace

StaticDialog::~StaticDialog() {
    if (window == nullptr) return;
    unlink(window);
    DestroyWindow(window);
}

HWND StaticDialog::createFromTemplate(int templateId) {
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId & 0xFFFF), parent,
                              &StaticDialog::staticDialogProc, reinterpret_cast<LPARAM>(this));
}

void StaticDialog::create(int templateId) {
    window = createFromTemplate(templateId);
}

INT_PTR CALLBACK StaticDialog::staticDialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<StaticDialog*>(lParam);
        dialog->window = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, lParam);
        exceptionBarrier([&] { dialog->dialogProc(message, wParam, lParam); });
        return TRUE;
    }
    auto* dialog = reinterpret_cast<StaticDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (dialog == nullptr) return FALSE;
    return exceptionBarrier<INT_PTR>(FALSE,
                                     [&] { return dialog->route(hwnd, message, wParam, lParam); });
}

INT_PTR StaticDialog::route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const INT_PTR result = dialogProc(message, wParam, lParam);
    // The system destroyed the window (its parent went first): forget the handle, so the
    // object never acts on a window that is gone or on another that reuses its handle.
    if (message == WM_NCDESTROY) {
        unlink(hwnd);
        window = nullptr;
    }
    return result;
}

}  // namespace tarnwick
