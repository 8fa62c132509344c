#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

namespace tarnwick::testing {

// A window that answers the editor's search and line messages over a one-line document,
// and can be told to report a line length no process can allocate, as a broken or hostile
// editor might. It counts the indicator messages it receives.
class OversizedLineView {
public:
    explicit OversizedLineView(std::string document);
    ~OversizedLineView();
    OversizedLineView(const OversizedLineView&) = delete;
    OversizedLineView& operator=(const OversizedLineView&) = delete;

    HWND handle() const { return window_; }
    void reportOversizedLines() { oversized_ = true; }
    int indicatorMessages() const { return indicatorMessages_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT answer(UINT message, WPARAM wParam, LPARAM lParam);

    std::string document_;
    std::intptr_t targetStart_ = 0;
    std::intptr_t targetEnd_ = 0;
    bool oversized_ = false;
    int indicatorMessages_ = 0;
    HWND window_ = nullptr;
};

}  // namespace tarnwick::testing
