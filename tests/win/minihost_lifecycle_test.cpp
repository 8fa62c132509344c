#include <fstream>
#include <sstream>
#include <string>

#include "minihost_fixture.hpp"

namespace tarnwick::minihost::testing {
namespace {

namespace fs = std::filesystem;

class MiniHostLifetime : public MiniHostTest {
protected:
    // One run of the host: the plugin's items run in the given order, then exit.
    void runOnce(std::initializer_list<std::size_t> commands) {
        startHost();
        for (const std::size_t index : commands) host->runMenuCommand(index);
        host->exit();
        host.reset();
        clearLog();
    }

    fs::path sessionFile() const { return configDirectory / L"minihost-session.txt"; }

    std::string sessionText() const {
        std::ifstream in(sessionFile());
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    bool panelShown(std::size_t index) const {
        const auto panels = host->registeredPanels();
        return index < panels.size() && IsWindowVisible(panels[index].client);
    }
};

TEST_F(MiniHostLifetime, ShutdownMeetsThePanelAndTheUnloadMeetsItGone) {
    startHost();
    host->runMenuCommand(0);
    const HWND main = host->mainWindow();
    const HWND panel = host->registeredPanels().at(0).client;
    clearLog();
    host->exit();
    const std::vector<std::string> expected = {"notify 1009 from=" + number(main) + " id=0 panel=1",
                                               "detach panel=0"};
    EXPECT_EQ(log(), expected);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(IsWindow(panel));
    EXPECT_TRUE(host->hasExited());
    EXPECT_EQ(host->mainWindow(), nullptr);
}

TEST_F(MiniHostLifetime, ExitsOnceWhetherAskedOrDestroyed) {
    startHost();
    host->exit();
    host->exit();
    host.reset();
    EXPECT_EQ(count("notify 1009"), 1u);
    EXPECT_EQ(count("detach"), 1u);

    startHost();
    host.reset();  // the destructor exits too
    EXPECT_EQ(count("notify 1009"), 2u);
    EXPECT_EQ(count("detach"), 2u);
}

TEST_F(MiniHostLifetime, ClosingTheMainWindowExits) {
    startHost();
    SendMessageW(host->mainWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(host->hasExited());
    EXPECT_EQ(count("detach"), 1u);
}

TEST_F(MiniHostLifetime, ACloseThePluginAsksForWaitsUntilItsCallHasReturned) {
    startHost();
    host->runMenuCommand(4);
    EXPECT_FALSE(host->hasExited());  // the plugin's code is still running: no unload yet
    EXPECT_GE(find("close-returned"), 0);
    host->pumpMessages();
    EXPECT_TRUE(host->hasExited());
    EXPECT_GT(find("detach"), find("close-returned"));
}

TEST_F(MiniHostLifetime, AVisibleNamedPanelIsReopenedAtTheNextStartBeforeReady) {
    runOnce({0, 1});
    startHost();
    const auto lines = log();
    const std::ptrdiff_t reopened = find("command 0 id=22000");
    ASSERT_GE(reopened, 0);
    EXPECT_EQ(reopened, find("isUnicode") + 1);
    EXPECT_LT(reopened, find("notify 1001"));
    EXPECT_EQ(count("command"), 1u);  // not the unnamed panel
    EXPECT_TRUE(panelShown(0));
}

TEST_F(MiniHostLifetime, AHiddenPanelIsNotReopened) {
    runOnce({0, 0});
    startHost();
    EXPECT_EQ(count("command"), 0u);
    EXPECT_TRUE(host->registeredPanels().empty());
}

TEST_F(MiniHostLifetime, APanelTheUserClosedIsNotReopened) {
    startHost();
    host->runMenuCommand(0);
    host->hidePanel(host->registeredPanels().at(0).client);
    host.reset();
    clearLog();
    startHost();
    EXPECT_EQ(count("command"), 0u);
}

TEST_F(MiniHostLifetime, AnUnnamedPanelIsNotRemembered) {
    runOnce({1});
    EXPECT_EQ(sessionText().find("minihost_test_plugin.dll"), std::string::npos);
    startHost();
    EXPECT_EQ(count("command"), 0u);
}

TEST_F(MiniHostLifetime, RemembersAcrossMoreThanOneRestart) {
    runOnce({0});
    runOnce({});  // reopened at start, still visible at exit
    startHost();
    EXPECT_EQ(count("command 0"), 1u);
}

TEST_F(MiniHostLifetime, RememberedIdentifiersOutsideTheMenuAreIgnoredAndOtherModulesKept) {
    fs::create_directories(configDirectory);
    std::ofstream(sessionFile()) << "# written by hand\n"
                                    "7\tminihost_test_plugin.dll\n"
                                    "22000\tminihost_test_plugin.dll\n"
                                    "-1\tminihost_test_plugin.dll\n"
                                    "2\tminihost_test_plugin.dll\n"  // the separator
                                    "not a number\tminihost_test_plugin.dll\n"
                                    "1\tMINIHOST_TEST_PLUGIN.DLL\n"
                                    "0\tother.dll\n";
    startHost();
    EXPECT_EQ(count("command"), 1u);
    EXPECT_GE(find("command 1 id=22001"), 0);
    host->exit();
    // The other module's panel stays; the unnamed panel, though visible, is not remembered.
    EXPECT_NE(sessionText().find("0\tother.dll"), std::string::npos);
    EXPECT_EQ(sessionText().find("minihost_test_plugin"), std::string::npos);
    EXPECT_EQ(sessionText().find("MINIHOST_TEST_PLUGIN"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick::minihost::testing
