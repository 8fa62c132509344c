#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "minihost/mini_host.hpp"
#include "view_text.hpp"

namespace tarnwick::minihost::testing {

using tarnwick::testing::textOf;

// A folder of the test's own for the host's configuration and the test plugin's log,
// and a host created on demand with the test plugin loaded.
class MiniHostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new host on the test's configuration folder, with the test plugin loaded.
    MiniHost& startHost(Appearance appearance = Appearance::light);
    static std::filesystem::path testPlugin();

    // The lines the test plugin has recorded so far, the index of the first that starts
    // with `prefix` (-1 when none does) and how many do.
    std::vector<std::string> log() const;
    std::ptrdiff_t find(std::string_view prefix) const;
    std::size_t count(std::string_view prefix) const;
    void clearLog() const;

    static std::string number(const void* handle);
    // The window's rectangle in its parent's client coordinates.
    static RECT placement(HWND window);
    static RECT clientArea(HWND window);
    // "left,top,right,bottom": compared as text, a wrong rectangle shows in the failure.
    static std::string describe(const RECT& rect);
    // The texts of a tab control's tabs, in their order.
    static std::vector<std::wstring> tabNames(HWND tabStrip);

    std::filesystem::path root;
    std::filesystem::path configDirectory;
    std::filesystem::path logFile;
    std::unique_ptr<MiniHost> host;
};

}  // namespace tarnwick::minihost::testing
