#include "about/logo_painter.hpp"

#include <cstring>

#include "about/gdiplus_owners.hpp"
#include "about/logo_fit.hpp"
#include "resources/resource.h"

namespace tarnwick {

namespace {

using namespace Gdiplus::DllExports;

void fill(HDC dc, const RECT& area, COLORREF colour) {
    const BrushOwner brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.get());
}

// A stream over a copy of the logo's bytes; the stream owns the copy.
StreamOwner openLogoStream(HMODULE module) {
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(IDR_LOGO_PNG), RT_RCDATA);
    if (resource == nullptr) return nullptr;
    const DWORD size = SizeofResource(module, resource);
    const HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (size == 0 || bytes == nullptr) return nullptr;

    GlobalMemoryOwner copy(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!copy) return nullptr;
    void* target = GlobalLock(copy.get());
    if (target == nullptr) return nullptr;
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy.get());

    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy.get(), TRUE, &stream))) return nullptr;
    copy.release();  // freed with the stream from now on
    return StreamOwner(stream);
}

void drawImage(HDC dc, const RECT& area, Gdiplus::GpImage* image) {
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    if (GdipCreateFromHDC(dc, &rawGraphics) != Gdiplus::Ok) return;
    const GraphicsOwner graphics(rawGraphics);
    GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationModeHighQualityBicubic);

    UINT width = 0;
    UINT height = 0;
    if (GdipGetImageWidth(image, &width) != Gdiplus::Ok) width = 0;
    if (GdipGetImageHeight(image, &height) != Gdiplus::Ok) height = 0;
    const PixelRect frame{area.left, area.top, area.right - area.left, area.bottom - area.top};
    if (const auto placed = fitLogo(frame, width, height))
        GdipDrawImageRectI(graphics.get(), image, placed->x, placed->y, placed->width,
                           placed->height);
}

}  // namespace

void paintLogo(HMODULE module, HDC dc, const RECT& area, COLORREF margin) {
    // The logo's transparent edges show the margin colour too, so it stands in no box.
    fill(dc, area, margin);
    const StreamOwner stream = openLogoStream(module);
    if (!stream) return;
    Gdiplus::GpImage* rawImage = nullptr;
    if (GdipLoadImageFromStream(stream.get(), &rawImage) != Gdiplus::Ok || rawImage == nullptr)
        return;
    const ImageOwner image(rawImage);
    drawImage(dc, area, image.get());
}

}  // namespace tarnwick
