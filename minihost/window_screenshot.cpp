#include "minihost/window_screenshot.hpp"

#include <gdiplus.h>

#include <memory>

#include "dialogs/unique_handle.hpp"

namespace tarnwick::minihost {

namespace {

namespace gdip = Gdiplus::DllExports;

constexpr CLSID kPngEncoder = {
    0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// The window's device context, returned to the window when done.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a bitmap into a device context and puts the previous one back.
class SelectedBitmap {
public:
    SelectedBitmap(HDC dc, HBITMAP bitmap) : dc_(dc), previous_(SelectObject(dc, bitmap)) {}
    ~SelectedBitmap() { SelectObject(dc_, previous_); }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// GDI+ started for as long as the object lives.
class GdiplusSession {
public:
    GdiplusSession() {
        const Gdiplus::GdiplusStartupInput input;
        started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() {
        if (started_) Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

struct ImageDispose {
    void operator()(Gdiplus::GpBitmap* image) const noexcept { gdip::GdipDisposeImage(image); }
};

BitmapOwner captureWindow(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const WindowDc screen(window);
    if (screen.get() == nullptr) return nullptr;
    const MemoryDcOwner memory(CreateCompatibleDC(screen.get()));
    BitmapOwner bitmap(CreateCompatibleBitmap(screen.get(), bounds.right - bounds.left,
                                              bounds.bottom - bounds.top));
    if (!memory || !bitmap) return nullptr;
    const SelectedBitmap selected(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                screen.get(), 0, 0, SRCCOPY))
        return nullptr;
    return bitmap;
}

}  // namespace

bool saveWindowAsPng(HWND window, const std::filesystem::path& file) {
    // Everything painted first, so the picture shows what the window holds now.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const BitmapOwner bitmap = captureWindow(window);
    const GdiplusSession gdiplus;
    if (!bitmap || !gdiplus.started()) return false;
    Gdiplus::GpBitmap* created = nullptr;
    if (gdip::GdipCreateBitmapFromHBITMAP(bitmap.get(), nullptr, &created) != Gdiplus::Ok)
        return false;
    const std::unique_ptr<Gdiplus::GpBitmap, ImageDispose> image(created);
    return gdip::GdipSaveImageToFile(image.get(), file.c_str(), &kPngEncoder, nullptr) ==
           Gdiplus::Ok;
}

}  // namespace tarnwick::minihost
