#pragma once

#include <windows.h>

#include <gdiplus.h>
#include <objidl.h>

#include "dialogs/unique_handle.hpp"

namespace tarnwick {

// Owners of what the logo's painting makes beyond plain handles, in the same family.

inline void releaseComObject(IUnknown* object) {
    object->Release();
}

using StreamOwner = UniqueHandle<IStream*, &releaseComObject>;
using ImageOwner = UniqueHandle<Gdiplus::GpImage*, &Gdiplus::DllExports::GdipDisposeImage>;
using GraphicsOwner = UniqueHandle<Gdiplus::GpGraphics*, &Gdiplus::DllExports::GdipDeleteGraphics>;

}  // namespace tarnwick
