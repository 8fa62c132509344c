#include "minihost/modeless_dialogs.hpp"

#include <algorithm>

#include "host/host_messages.hpp"

namespace tarnwick::minihost {

LRESULT ModelessDialogs::update(WPARAM action, HWND dialog) {
    if (dialog == nullptr) return 0;
    const auto found = std::find(dialogs_.begin(), dialogs_.end(), dialog);
    if (action == MODELESSDIALOGADD) {
        if (found == dialogs_.end()) dialogs_.push_back(dialog);
    } else if (action == MODELESSDIALOGREMOVE) {
        if (found != dialogs_.end()) dialogs_.erase(found);
    } else {
        return 0;
    }
    return reinterpret_cast<LRESULT>(dialog);
}

bool ModelessDialogs::handle(MSG& message) const {
    // A copy: a key handled by a dialog may make its plugin register or remove one.
    const std::vector<HWND> dialogs = dialogs_;
    return std::any_of(dialogs.begin(), dialogs.end(),
                       [&](HWND dialog) { return IsWindow(dialog) && IsDialogMessageW(dialog, &message); });
}

}  // namespace tarnwick::minihost
