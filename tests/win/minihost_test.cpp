#include <fstream>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "host/host_messages.hpp"
#include "minihost/scintilla_messages.hpp"
#include "minihost_fixture.hpp"
#include "settings/utf8_conversion.hpp"

namespace tarnwick::minihost::testing {
namespace {

std::wstring menuText(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

std::string utf8(const std::filesystem::path& path) {
    const std::wstring text = path.wstring();
    return toUtf8(std::u16string(text.begin(), text.end()));
}

using MiniHostLoading = MiniHostTest;

TEST_F(MiniHostLoading, CallsTheExportsInTheHostsOrderWithItsWindowsThenReady) {
    startHost();
    const std::string main = number(host->mainWindow());
    const std::vector<std::string> expected = {
        "attach",
        "setInfo " + main + " " + number(host->mainView()) + " " + number(host->secondView()),
        "getName",
        "getFuncsArray",
        "isUnicode",
        "notify 1001 from=" + main + " id=0 panel=0"};
    EXPECT_EQ(log(), expected);
    EXPECT_EQ(host->pluginName(), L"MiniHost Test Plugin");
}

TEST_F(MiniHostLoading, WritesConsecutiveCommandIdsIntoThePluginsOwnItems) {
    startHost();
    const auto items = host->funcItems();
    ASSERT_EQ(items.size(), 5u);
    for (std::size_t index = 0; index < items.size(); ++index) {
        EXPECT_EQ(items[index]._cmdID, 22000 + static_cast<int>(index));
        EXPECT_EQ(host->commandIdOf(index), 22000 + static_cast<int>(index));
    }
    EXPECT_EQ(host->commandIdOf(5), std::nullopt);
    // The plugin reads the identifier from its own array.
    EXPECT_TRUE(host->runMenuCommand(1));
    EXPECT_GE(find("command 1 id=22001"), 0);
    EXPECT_FALSE(host->runMenuCommand(5));
}

TEST_F(MiniHostLoading, BuildsASubmenuNamedAfterThePluginUnderPlugins) {
    startHost();
    const HMENU bar = GetMenu(host->mainWindow());
    const int count = GetMenuItemCount(bar);
    ASSERT_GT(count, 0);
    const HMENU plugins = GetSubMenu(bar, count - 1);
    EXPECT_EQ(menuText(bar, count - 1), L"&Plugins");
    ASSERT_EQ(GetMenuItemCount(plugins), 1);
    EXPECT_EQ(menuText(plugins, 0), L"MiniHost Test Plugin");

    const HMENU submenu = GetSubMenu(plugins, 0);
    ASSERT_EQ(GetMenuItemCount(submenu), 5);
    EXPECT_EQ(menuText(submenu, 0), L"Named Panel");
    EXPECT_EQ(menuText(submenu, 1), L"Unnamed Panel");
    EXPECT_EQ(GetMenuState(submenu, 2, MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(menuText(submenu, 3), L"Ask Host");
    EXPECT_EQ(GetMenuItemID(submenu, 0), 22000u);
    EXPECT_EQ(GetMenuItemID(submenu, 3), 22003u);
}

TEST_F(MiniHostLoading, AMenuClickRunsTheItemWithThatCommandId) {
    startHost();
    clearLog();
    SendMessageW(host->mainWindow(), WM_COMMAND, MAKEWPARAM(22000, 0), 0);
    EXPECT_EQ(find("command 0 id=22000"), 0);
}

TEST_F(MiniHostLoading, RefusesAMissingDllOrOneWithoutThePluginExports) {
    host = std::make_unique<MiniHost>(configDirectory);
    EXPECT_FALSE(host->loadPlugin(root / L"no-such-plugin.dll"));
    EXPECT_FALSE(host->loadPlugin(testPlugin().parent_path() / L"Scintilla.dll"));
    EXPECT_EQ(host->pluginName(), L"");
    EXPECT_TRUE(host->funcItems().empty());
    EXPECT_FALSE(host->runMenuCommand(0));
}

TEST_F(MiniHostLoading, KeepsOnePluginAndNoneAfterExit) {
    startHost();
    EXPECT_FALSE(host->loadPlugin(testPlugin()));
    EXPECT_EQ(count("setInfo"), 1u);
    host->exit();
    EXPECT_FALSE(host->loadPlugin(testPlugin()));
}

TEST_F(MiniHostLoading, PassesMessagesToTheMessageProc) {
    startHost();
    EXPECT_EQ(host->messageToPlugin(WM_USER + 5, 0, 0), TRUE);
    EXPECT_GE(find("messageProc " + std::to_string(WM_USER + 5)), 0);
}

using MiniHostAnswers = MiniHostTest;

TEST_F(MiniHostAnswers, ThePluginsQuestionsWithTheFolderAnIndicatorBlockAndTheCurrentView) {
    startHost();
    EXPECT_TRUE(host->setCurrentView(1));
    host->runMenuCommand(3);
    EXPECT_GE(find("config result=1 " + utf8(configDirectory)), 0);
    EXPECT_GE(find("indicators result=1 first=20"), 0);
    EXPECT_GE(find("current 1"), 0);
    EXPECT_FALSE(std::filesystem::exists(configDirectory));  // told, not created
}

TEST_F(MiniHostAnswers, CurrentViewIsZeroOrOneOnly) {
    host = std::make_unique<MiniHost>(configDirectory);
    int view = -1;
    SendMessageW(host->mainWindow(), NPPM_GETCURRENTSCINTILLA, 0, reinterpret_cast<LPARAM>(&view));
    EXPECT_EQ(view, 0);
    EXPECT_FALSE(host->setCurrentView(2));
    EXPECT_FALSE(host->setCurrentView(-1));
    EXPECT_EQ(host->currentView(), 0);
    EXPECT_EQ(SendMessageW(host->mainWindow(), NPPM_GETCURRENTSCINTILLA, 0, 0), FALSE);
}

TEST_F(MiniHostAnswers, TheConfigurationFolderOnlyWhenItFitsTheBuffer) {
    host = std::make_unique<MiniHost>(configDirectory);
    const std::wstring folder = configDirectory.wstring();
    const auto ask = [&](std::wstring& buffer, WPARAM size) {
        return SendMessageW(host->mainWindow(), NPPM_GETPLUGINSCONFIGDIR, size,
                            reinterpret_cast<LPARAM>(buffer.data()));
    };
    std::wstring exact(folder.size() + 1, L'x');
    EXPECT_EQ(ask(exact, exact.size()), TRUE);
    EXPECT_EQ(exact, folder + L'\0');

    // One unit short: a cut path would name another folder.
    std::wstring tooShort(folder.size(), L'x');
    EXPECT_EQ(ask(tooShort, tooShort.size()), FALSE);
    EXPECT_EQ(tooShort[0], L'\0');

    std::wstring untouched(4, L'x');
    EXPECT_EQ(ask(untouched, 0), FALSE);
    EXPECT_EQ(untouched, L"xxxx");
    EXPECT_EQ(SendMessageW(host->mainWindow(), NPPM_GETPLUGINSCONFIGDIR, 260, 0), FALSE);
}

TEST_F(MiniHostAnswers, IndicatorBlocksFollowEachOtherInsideTheContainersRange) {
    host = std::make_unique<MiniHost>(configDirectory, 12);
    const auto allocate = [&](WPARAM count, int& first) {
        return SendMessageW(host->mainWindow(), NPPM_ALLOCATEINDICATOR, count,
                            reinterpret_cast<LPARAM>(&first));
    };
    int first = 0;
    EXPECT_EQ(allocate(3, first), TRUE);
    EXPECT_EQ(first, 12);
    EXPECT_EQ(allocate(10, first), TRUE);
    EXPECT_EQ(first, 15);
    // 25 to 31 are left: eight more would reach the editor's own indicators.
    first = -7;
    EXPECT_EQ(allocate(8, first), FALSE);
    EXPECT_EQ(first, -7);
    EXPECT_EQ(allocate(0, first), FALSE);
    EXPECT_EQ(allocate(static_cast<WPARAM>(-1), first), FALSE);
    EXPECT_EQ(allocate(7, first), TRUE);
    EXPECT_EQ(first, 25);
    EXPECT_EQ(SendMessageW(host->mainWindow(), NPPM_ALLOCATEINDICATOR, 1, 0), FALSE);
}

using MiniHostViews = MiniHostTest;

TEST_F(MiniHostViews, AreRealScintillaViewsInUtf8ChildrenOfTheMainWindow) {
    host = std::make_unique<MiniHost>(configDirectory);
    for (HWND view : {host->mainView(), host->secondView()}) {
        wchar_t className[32] = {};
        GetClassNameW(view, className, 32);
        EXPECT_STREQ(className, L"Scintilla");
        EXPECT_EQ(GetParent(view), host->mainWindow());
        EXPECT_EQ(SendMessageW(view, SCI_GETCODEPAGE, 0, 0), 65001);
    }
    EXPECT_NE(host->mainView(), host->secondView());
}

TEST_F(MiniHostViews, StartWithOneEmptyUntitledTabEach) {
    host = std::make_unique<MiniHost>(configDirectory);
    EXPECT_EQ(tabNames(host->tabStrip(0)), std::vector<std::wstring>{L"new 1"});
    EXPECT_EQ(tabNames(host->tabStrip(1)), std::vector<std::wstring>{L"new 2"});
    EXPECT_EQ(host->tabs(0), std::vector<BufferId>{host->shownBuffer(0)});
    EXPECT_EQ(host->tabs(1), std::vector<BufferId>{host->shownBuffer(1)});
    EXPECT_EQ(textOf(host->mainView()), "");
    EXPECT_NE(SendMessageW(host->mainView(), SCI_GETDOCPOINTER, 0, 0),
              SendMessageW(host->secondView(), SCI_GETDOCPOINTER, 0, 0));
}

TEST_F(MiniHostViews, SwitchingTheDocumentShowsTheNextTabAndNotifiesThePlugin) {
    startHost();
    const HWND view = host->mainView();
    SendMessageW(view, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("first"));
    const BufferId first = host->shownBuffer(0);
    const LRESULT firstDocument = SendMessageW(view, SCI_GETDOCPOINTER, 0, 0);
    const BufferId second = host->newDocument(0, "second");
    ASSERT_NE(host->newDocument(0, "third"), 0u);
    clearLog();

    host->switchDocument();  // from the last tab round to the first
    const std::vector<std::string> expected = {
        "notify 1010 from=" + number(host->mainWindow()) + " id=" + std::to_string(first) +
            " panel=0",
        "host current=" + std::to_string(first) + " pos=0 length=5"};
    EXPECT_EQ(log(), expected);
    EXPECT_EQ(SendMessageW(view, SCI_GETDOCPOINTER, 0, 0), firstDocument);
    EXPECT_EQ(textOf(view), "first");
    EXPECT_EQ(SendMessageW(host->tabStrip(0), TCM_GETCURSEL, 0, 0), 0);

    host->switchDocument();
    EXPECT_EQ(host->currentBuffer(), second);
    EXPECT_EQ(textOf(view), "second");
    EXPECT_EQ(SendMessageW(view, SCI_GETCODEPAGE, 0, 0), 65001);
    EXPECT_EQ(SendMessageW(host->tabStrip(0), TCM_GETCURSEL, 0, 0), 1);
}

TEST_F(MiniHostViews, SwitchingTheDocumentChangesTheCurrentViewOnly) {
    startHost();
    const LRESULT mainDocument = SendMessageW(host->mainView(), SCI_GETDOCPOINTER, 0, 0);
    host->newDocument(0, "main");
    host->switchDocument();
    host->newDocument(1, "second");
    host->setCurrentView(1);
    clearLog();
    host->switchDocument();
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETDOCPOINTER, 0, 0), mainDocument);
    EXPECT_EQ(host->shownBuffer(1), host->tabs(1).at(0));
    EXPECT_EQ(textOf(host->secondView()), "");
    EXPECT_EQ(find("notify 1010 from=" + number(host->mainWindow()) +
                   " id=" + std::to_string(host->tabs(1).at(0))),
              0);
}

TEST_F(MiniHostViews, SwitchingTheDocumentOfAViewWithOneTabDoesNothing) {
    startHost();
    const LRESULT document = SendMessageW(host->mainView(), SCI_GETDOCPOINTER, 0, 0);
    clearLog();
    host->switchDocument();
    SendMessageW(host->mainWindow(), WM_COMMAND, MAKEWPARAM(MenuBar::kCommandSwitchDocument, 0), 0);
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETDOCPOINTER, 0, 0), document);
    EXPECT_TRUE(log().empty());
}

TEST_F(MiniHostViews, OpenFileLoadsTheBytesIntoTheMainView) {
    host = std::make_unique<MiniHost>(configDirectory);
    const std::string bytes("caf\xC3\xA9\0tail\r\nnext", 15);
    std::ofstream(root / L"file.txt", std::ios::binary) << bytes;
    EXPECT_TRUE(host->openFile(root / L"file.txt"));
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETLENGTH, 0, 0), 15);
    EXPECT_EQ(textOf(host->mainView()), bytes);
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETMODIFY, 0, 0), 0);
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_CANUNDO, 0, 0), 0);
    EXPECT_EQ(textOf(host->secondView()), "");
    EXPECT_FALSE(host->openFile(root / L"missing.txt"));
    EXPECT_EQ(tabNames(host->tabStrip(0)), std::vector<std::wstring>{L"file.txt"});
}

}  // namespace
}  // namespace tarnwick::minihost::testing
