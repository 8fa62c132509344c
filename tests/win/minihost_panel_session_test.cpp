#include <gtest/gtest.h>

#include <fstream>

#include "minihost/panel_session.hpp"
#include "minihost_fixture.hpp"

namespace tarnwick::minihost::testing {
namespace {

using MiniHostSession = MiniHostTest;

PanelRegistration panel(int dialogId, std::optional<std::wstring> name,
                        std::optional<std::wstring> moduleName) {
    PanelRegistration registration;
    registration.dialogId = dialogId;
    registration.name = std::move(name);
    registration.moduleName = std::move(moduleName);
    return registration;
}

TEST_F(MiniHostSession, OnlyNamedPanelsOfTheModuleItself) {
    const auto file = root / L"session.txt";
    const PanelRegistration kept = panel(4, L"Panel", L"Plugin.DLL");
    const PanelRegistration unnamed = panel(5, L"", L"plugin.dll");
    const PanelRegistration nameless = panel(6, std::nullopt, L"plugin.dll");
    const PanelRegistration foreign = panel(7, L"Panel", L"other.dll");
    const PanelRegistration anonymous = panel(8, L"Panel", std::nullopt);
    PanelSession session(file);
    session.remember(L"plugin.dll", {&kept, &unnamed, &nameless, &foreign, &anonymous});
    ASSERT_TRUE(session.save());

    const PanelSession reread(file);
    EXPECT_EQ(reread.panelsOf(L"PLUGIN.dll"), std::vector<int>{4});
    EXPECT_TRUE(reread.panelsOf(L"other.dll").empty());
}

TEST_F(MiniHostSession, RememberingAgainReplacesTheModulesPanelsAndKeepsTheOthers) {
    const auto file = root / L"session.txt";
    std::ofstream(file) << "1\tplugin.dll\n2\tother.dll\n2\tother.dll\n";
    PanelSession session(file);
    EXPECT_EQ(session.panelsOf(L"other.dll"), std::vector<int>{2});  // once, though listed twice
    const PanelRegistration now = panel(3, L"Panel", L"plugin.dll");
    session.remember(L"plugin.dll", {&now});
    EXPECT_EQ(session.panelsOf(L"plugin.dll"), std::vector<int>{3});
    EXPECT_EQ(session.panelsOf(L"other.dll"), std::vector<int>{2});
}

TEST_F(MiniHostSession, UnreadableLinesAreSkippedAndNonAsciiNamesKept) {
    const auto file = root / L"session.txt";
    std::ofstream(file) << "\t\n3\n4\t\nx\tplugin.dll\n5 \tplugin.dll\n6\tpl\xC3\xBCgin.dll\n";
    const PanelSession session(file);
    EXPECT_TRUE(session.panelsOf(L"plugin.dll").empty());
    EXPECT_EQ(session.panelsOf(L"pl\u00FCgin.dll"), std::vector<int>{6});
    EXPECT_TRUE(PanelSession(root / L"missing.txt").panelsOf(L"plugin.dll").empty());
}

}  // namespace
}  // namespace tarnwick::minihost::testing
