#pragma once

#include <filesystem>
#include <string>

#include <windows.h>

namespace tarnwick::testing {

// A folder name no other test process uses, even when Wine reuses process ids.
inline std::filesystem::path uniqueTempFolder(const std::wstring& prefix) {
    LARGE_INTEGER ticks{};
    QueryPerformanceCounter(&ticks);
    return std::filesystem::temp_directory_path() /
           (prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(ticks.QuadPart));
}

}  // namespace tarnwick::testing
