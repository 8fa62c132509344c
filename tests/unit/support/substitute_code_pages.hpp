#pragma once

#include <cstdint>

namespace tarnwick::testing {

// What the native substitute for the platform's conversions reports as the system's ANSI
// code page; 1252 until a test sets another.
void setSystemAnsiCodePage(std::uint32_t codePage);

}  // namespace tarnwick::testing
