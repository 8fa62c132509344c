#pragma once

#include "dialogs/window.hpp"

namespace tarnwick {

// A modeless dialog made from a template, whose messages reach the owning object's
// dialogProc through the link kept in the window's user-data slot.
class StaticDialog : public Window {
public:
    // Destroys a window that still exists, after cutting its link to this object: the
    // derived parts are gone by now and must not see the messages of the destruction.
    ~StaticDialog() override;

    virtual void create(int templateId);
    virtual bool isCreated() const { return window != nullptr; }

protected:
    // TRUE for a message it handled, FALSE otherwise.
    virtual INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    HWND createFromTemplate(int templateId);

private:
    static INT_PTR CALLBACK staticDialogProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);
    INT_PTR route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace tarnwick
