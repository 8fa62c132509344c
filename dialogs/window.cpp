#include "dialogs/window.hpp"

namespace tarnwick {

void Window::init(HINSTANCE moduleInstance, HWND parentWindow) {
    instance = moduleInstance;
    parent = parentWindow;
}

void Window::destroy() {
    DestroyWindow(window);
    window = nullptr;
}

void Window::display(bool show) {
    ShowWindow(window, show ? SW_SHOW : SW_HIDE);
}

void Window::resizeTo(const RECT& rect) {
    MoveWindow(window, rect.left, rect.top, rect.right, rect.bottom, TRUE);
    redraw(false);
}

void Window::redraw(bool forceUpdate) {
    InvalidateRect(window, nullptr, TRUE);
    if (forceUpdate) UpdateWindow(window);
}

void Window::getClientRect(RECT& rect) const {
    GetClientRect(window, &rect);
}

void Window::getWindowRect(RECT& rect) const {
    GetWindowRect(window, &rect);
}

int Window::getWidth() const {
    RECT rect{};
    getClientRect(rect);
    return rect.right - rect.left;
}

int Window::getHeight() const {
    RECT rect{};
    getClientRect(rect);
    return isVisible() ? rect.bottom - rect.top : 0;
}

bool Window::isVisible() const {
    return IsWindowVisible(window) != 0;
}

}  // namespace tarnwick
