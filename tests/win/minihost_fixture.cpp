#include "minihost_fixture.hpp"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <fstream>

#include "minihost/executable_folder.hpp"
#include "minihost/scintilla_messages.hpp"

namespace tarnwick::minihost::testing {

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kLogVariable[] = L"MINIHOST_TEST_PLUGIN_LOG";

}  // namespace

void MiniHostTest::SetUp() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root = fs::temp_directory_path() /
           ("minihost-" + std::string(test->name()) + "-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(root);
    fs::create_directories(root);
    // Not created: the host must pass on a folder that does not exist yet. The name is not
    // plain ASCII, so a narrow copy anywhere would show.
    configDirectory = root / L"c\u00F6nfig \u00E9t\u00E9";
    logFile = root / L"plugin-log.txt";
    SetEnvironmentVariableW(kLogVariable, logFile.c_str());
}

void MiniHostTest::TearDown() {
    host.reset();
    SetEnvironmentVariableW(kLogVariable, nullptr);
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

MiniHost& MiniHostTest::startHost(Appearance appearance) {
    host = std::make_unique<MiniHost>(configDirectory, MiniHost::kDefaultFirstIndicator, appearance);
    EXPECT_TRUE(host->loadPlugin(testPlugin()));
    return *host;
}

fs::path MiniHostTest::testPlugin() {
    return executableFolder() / L"minihost_test_plugin.dll";
}

std::vector<std::string> MiniHostTest::log() const {
    std::ifstream in(logFile);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::ptrdiff_t MiniHostTest::find(std::string_view prefix) const {
    const auto lines = log();
    const auto found = std::ranges::find_if(
        lines, [prefix](const std::string& line) { return line.starts_with(prefix); });
    return found == lines.end() ? -1 : found - lines.begin();
}

std::size_t MiniHostTest::count(std::string_view prefix) const {
    const auto lines = log();
    return std::ranges::count_if(
        lines, [prefix](const std::string& line) { return line.starts_with(prefix); });
}

void MiniHostTest::clearLog() const {
    fs::remove(logFile);
}

std::string MiniHostTest::number(const void* handle) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(handle));
}

RECT MiniHostTest::placement(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT MiniHostTest::clientArea(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

std::string MiniHostTest::describe(const RECT& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

std::vector<std::wstring> MiniHostTest::tabNames(HWND tabStrip) {
    std::vector<std::wstring> names;
    const auto count = SendMessageW(tabStrip, TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        wchar_t text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tabStrip, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
        names.emplace_back(item.pszText);
    }
    return names;
}

}  // namespace tarnwick::minihost::testing
