#include <windows.h>

#include <array>

#include "host/editor_messages.hpp"
#include "host/send_message.hpp"

namespace tarnwick {

namespace {

// What a view answers to SCI_GETDIRECTFUNCTION: its message handling, called on the
// view's own thread with the pointer SCI_GETDIRECTPOINTER answers.
using DirectFunction = std::intptr_t (*)(std::intptr_t pointer, unsigned int message,
                                         std::uintptr_t wParam, std::intptr_t lParam);

struct EditorViewCalls {
    HWND window = nullptr;
    bool asked = false;
    DirectFunction function = nullptr;  // null: the view is sent messages
    std::intptr_t pointer = 0;

    void ask() {
        asked = true;
        const LRESULT answer = SendMessageW(window, SCI_GETDIRECTFUNCTION, 0, 0);
        if (answer == 0) return;
        pointer = SendMessageW(window, SCI_GETDIRECTPOINTER, 0, 0);
        if (pointer != 0) function = reinterpret_cast<DirectFunction>(answer);
    }
};

// Only the host's user-interface thread, the one thread the plugin runs on, uses them.
// The host's two views, then the plugin's own reader.
std::array<EditorViewCalls, 3> editorViews;

}  // namespace

void setEditorViews(WindowHandle mainView, WindowHandle secondView) {
    editorViews[0] = EditorViewCalls{static_cast<HWND>(mainView)};
    editorViews[1] = EditorViewCalls{static_cast<HWND>(secondView)};
}

void setReaderView(WindowHandle reader) {
    editorViews[2] = EditorViewCalls{static_cast<HWND>(reader)};
}

std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam) {
    const auto hwnd = static_cast<HWND>(window);
    for (EditorViewCalls& view : editorViews) {
        if (hwnd == nullptr || view.window != hwnd) continue;
        if (!view.asked) view.ask();
        if (view.function != nullptr) return view.function(view.pointer, message, wParam, lParam);
        break;
    }
    return SendMessageW(hwnd, message, wParam, lParam);
}

}  // namespace tarnwick
