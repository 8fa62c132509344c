#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tarnwick {

// Move-only owners of Win32 handles: each is released with the one call that frees it,
// so every early return lets go of what the code made. The plugin's About box and panel
// and minihost all use this one family.
template <auto Release>
struct HandleRelease {
    template <typename Handle>
    void operator()(Handle handle) const noexcept {
        Release(handle);
    }
};

template <typename Handle, auto Release>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleRelease<Release>>;

using ModuleOwner = UniqueHandle<HMODULE, &FreeLibrary>;
using WindowOwner = UniqueHandle<HWND, &DestroyWindow>;
using MenuOwner = UniqueHandle<HMENU, &DestroyMenu>;
using MemoryDcOwner = UniqueHandle<HDC, &DeleteDC>;
using BitmapOwner = UniqueHandle<HBITMAP, &DeleteObject>;
using BrushOwner = UniqueHandle<HBRUSH, &DeleteObject>;
using GlobalMemoryOwner = UniqueHandle<HGLOBAL, &GlobalFree>;

}  // namespace tarnwick
