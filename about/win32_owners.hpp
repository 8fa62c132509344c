#pragma once

#include <windows.h>

#include <gdiplus.h>
#include <objidl.h>

#include <memory>
#include <type_traits>

namespace tarnwick {

// Move-only owners of what a paint makes, so every early return releases it.

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;

struct GlobalMemoryDeleter {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
using OwnedGlobalMemory = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalMemoryDeleter>;

struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
using OwnedStream = std::unique_ptr<IStream, ComReleaser>;

struct GdiplusImageDeleter {
    void operator()(Gdiplus::GpImage* image) const { Gdiplus::DllExports::GdipDisposeImage(image); }
};
using OwnedImage = std::unique_ptr<Gdiplus::GpImage, GdiplusImageDeleter>;

struct GdiplusGraphicsDeleter {
    void operator()(Gdiplus::GpGraphics* graphics) const {
        Gdiplus::DllExports::GdipDeleteGraphics(graphics);
    }
};
using OwnedGraphics = std::unique_ptr<Gdiplus::GpGraphics, GdiplusGraphicsDeleter>;

}  // namespace tarnwick
