#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tarnwick::minihost {

// Releases a Win32 handle with the one call that frees it, so every early return lets
// go of what minihost owns.
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

}  // namespace tarnwick::minihost
