#pragma once

#include <windows.h>

#include <vector>

namespace tarnwick::minihost {

// The dialogs that plugins registered for the host's dialog key handling: the message
// loop offers every message to each of them through IsDialogMessage before it translates
// and dispatches it, so Tab, Enter and Escape work inside them.
class ModelessDialogs {
public:
    // What NPPM_MODELESSDIALOG does: `action` 0 adds the dialog, 1 removes it. Answers the
    // dialog, or 0 for a null window or another action.
    LRESULT update(WPARAM action, HWND dialog);

    // True when one of the dialogs took the message.
    bool handle(MSG& message) const;

    const std::vector<HWND>& dialogs() const { return dialogs_; }

private:
    std::vector<HWND> dialogs_;
};

}  // namespace tarnwick::minihost
