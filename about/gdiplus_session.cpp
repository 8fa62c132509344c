#include "about/gdiplus_session.hpp"

#include <windows.h>

#include <gdiplus.h>

namespace tarnwick {

namespace {

ULONG_PTR gdiplusToken = 0;

}  // namespace

void startGdiplusOnce() {
    if (gdiplusToken != 0) return;
    const Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback
    Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr);
}

}  // namespace tarnwick
