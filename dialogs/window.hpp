#pragma once

#include <windows.h>

namespace tarnwick {

// A window owned by an object: the handles and the plain window operations.
class Window {
public:
    virtual ~Window() = default;

    virtual void init(HINSTANCE instance, HWND parent);
    virtual void destroy();
    virtual void display(bool show);
    // Moves to (left, top); right and bottom are taken as width and height.
    virtual void resizeTo(const RECT& rect);
    virtual void redraw(bool forceUpdate);
    virtual void getClientRect(RECT& rect) const;
    virtual void getWindowRect(RECT& rect) const;
    virtual int getWidth() const;
    // 0 while the window is hidden.
    virtual int getHeight() const;
    virtual bool isVisible() const;

    HWND handle() const { return window; }

protected:
    HINSTANCE instance = nullptr;
    HWND parent = nullptr;
    HWND window = nullptr;
};

}  // namespace tarnwick
