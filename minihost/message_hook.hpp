#pragma once

#include <windows.h>

namespace tarnwick::minihost {

// A WH_CALLWNDPROC hook on the calling thread whose procedure only passes the call on, as
// the editor installs one on its user-interface thread. It changes no message, but every
// message sent to a window of the thread passes through it, which is what the editor's
// views cost a plugin that sends them messages (under Wine, round trips to its server).
class MessageHook {
public:
    // Throws std::runtime_error when the hook cannot be installed.
    MessageHook();
    ~MessageHook();
    MessageHook(const MessageHook&) = delete;
    MessageHook& operator=(const MessageHook&) = delete;

private:
    static LRESULT CALLBACK passOn(int code, WPARAM wParam, LPARAM lParam);

    HHOOK hook_;
};

}  // namespace tarnwick::minihost
