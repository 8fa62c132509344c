#include "scintilla_window.hpp"

#include <stdexcept>

#include "minihost/scintilla_messages.hpp"

namespace tarnwick::testing {

namespace {

// Loading Scintilla.dll registers the window class "Scintilla"; it stays loaded.
void loadScintilla() {
    static const HMODULE module = LoadLibraryW(L"Scintilla.dll");
    if (module == nullptr) throw std::runtime_error("Scintilla.dll could not be loaded");
}

}  // namespace

ScintillaWindow::ScintillaWindow() {
    loadScintilla();
    frame_ = CreateWindowExW(0, L"STATIC", L"view", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    editor_ = CreateWindowExW(0, L"Scintilla", L"", WS_CHILD | WS_VISIBLE, 0, 0, 640, 480, frame_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (frame_ == nullptr || editor_ == nullptr)
        throw std::runtime_error("the Scintilla view could not be created");
    send(SCI_SETCODEPAGE, SC_CP_UTF8);
}

ScintillaWindow::~ScintillaWindow() {
    DestroyWindow(frame_);
}

std::intptr_t ScintillaWindow::send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(editor_, message, wParam, lParam);
}

void ScintillaWindow::setDocument(const std::string& utf8) {
    send(SCI_CLEARALL);
    send(SCI_APPENDTEXT, utf8.size(), reinterpret_cast<LPARAM>(utf8.data()));
}

}  // namespace tarnwick::testing
