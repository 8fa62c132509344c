#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>

namespace tarnwick::testing {

inline constexpr int kInfoButton = 2009;

// Runs `inspect` on the About box from inside its modal loop, once it is open and shown.
class WhileAboutIsOpen {
public:
    explicit WhileAboutIsOpen(std::function<void(HWND)> inspect) {
        current_ = this;
        inspect_ = std::move(inspect);
        timer_ = SetTimer(nullptr, 0, 20, &WhileAboutIsOpen::tick);
    }
    ~WhileAboutIsOpen() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool ran() const { return ran_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        // The modal loop shows the dialog once its queue is empty, and an expired timer may
        // come first: what is inspected has to be on the screen.
        const HWND about = FindWindowW(L"#32770", L"About Tarnwick");
        if (about == nullptr || !IsWindowVisible(about) || current_ == nullptr || current_->ran_)
            return;
        current_->ran_ = true;
        current_->inspect_(about);
    }

    static inline WhileAboutIsOpen* current_ = nullptr;
    std::function<void(HWND)> inspect_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};

// A 32-bit top-down bitmap selected into a memory device context.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height) : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_),
                                   nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~MemoryCanvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return dc_; }
    RECT area() const { return {0, 0, width_, height_}; }
    std::uint32_t at(int x, int y) const { return pixels_[y * width_ + x] & 0xFFFFFF; }
    // The same pixel as a COLORREF, blue in the high byte and red in the low one.
    COLORREF colourAt(int x, int y) const {
        const std::uint32_t pixel = at(x, y);
        return RGB(pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    void fill(std::uint32_t colour) { std::fill(pixels_, pixels_ + width_ * height_, colour); }
    bool allWhite() const {
        return std::all_of(pixels_, pixels_ + width_ * height_,
                           [](std::uint32_t pixel) { return (pixel & 0xFFFFFF) == 0xFFFFFF; });
    }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
};

// Asks the About box to draw its owner-drawn item `id` into the canvas, as the system does.
inline void drawItem(HWND about, UINT id, const MemoryCanvas& canvas) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = id;
    item.hwndItem = GetDlgItem(about, static_cast<int>(id));
    item.hDC = canvas.dc();
    item.rcItem = canvas.area();
    SendMessageW(about, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));
}

}  // namespace tarnwick::testing
