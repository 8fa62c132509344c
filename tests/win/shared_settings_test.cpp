// Several instances of the host over one settings folder: each loads the list another one
// saved before it changes its own, so no instance's strings are lost.
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "child_process.hpp"
#include "minihost/executable_folder.hpp"
#include "panel_workflow_fixture.hpp"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

SearchList listOf(const std::vector<std::wstring>& texts) {
    SearchList list;
    for (const std::wstring& text : texts) list.add(std::u16string(text.begin(), text.end()));
    return list;
}

std::vector<std::wstring> textsOf(const SearchList& list) {
    std::vector<std::wstring> texts;
    for (const SearchEntry& entry : list) texts.emplace_back(entry.text.begin(), entry.text.end());
    return texts;
}

std::vector<std::wstring> firstColumn(const Rows& rows) {
    std::vector<std::wstring> texts;
    for (const auto& row : rows) texts.push_back(row.at(0));
    return texts;
}

// minihost.exe over the same configuration folder with the panel shown at start-up: a
// second instance of the host, driven by window messages from this process.
class OtherHost {
public:
    explicit OtherHost(const fs::path& configDirectory)
        : process_(minihost::executableFolder() / L"minihost.exe",
                   L"--config " + quoted(configDirectory) + L" --show-panel") {
        if (!process_.started()) return;
        WaitForInputIdle(process_.handle(), kPatience * kPauseMilliseconds);
        // Its panel is ready once it is shown, at the end of the start-up.
        for (int attempt = 0; attempt < kPatience && !running(); ++attempt) {
            EnumWindows(&OtherHost::takeMainWindow, reinterpret_cast<LPARAM>(this));
            if (mainWindow_ != nullptr)
                EnumChildWindows(mainWindow_, &OtherHost::takePanel,
                                 reinterpret_cast<LPARAM>(this));
            if (!running()) Sleep(kPauseMilliseconds);
        }
    }
    ~OtherHost() {
        if (process_.started() && WaitForSingleObject(process_.handle(), 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.handle(), 1);
    }

    bool running() const {
        return panel_ != nullptr && (GetWindowLongPtrW(panel_, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    int searchRowCount() const {
        return static_cast<int>(
            SendMessageW(GetDlgItem(panel_, kSearchList), LVM_GETITEMCOUNT, 0, 0));
    }
    // WM_SETTEXT is carried across processes; SetWindowTextW is not.
    void add(const std::wstring& text) const {
        SendMessageW(GetDlgItem(panel_, kEdit), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(GetDlgItem(panel_, kAdd), BM_CLICK, 0, 0);
    }
    // Closed as the user closes the editor: shutdown, then the unload.
    int close() const {
        PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
        return process_.exitCode();
    }

private:
    static BOOL CALLBACK takeMainWindow(HWND window, LPARAM self) {
        auto& host = *reinterpret_cast<OtherHost*>(self);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (owner != host.process_.id() || std::wstring(className) != L"TarnwickMiniHost")
            return TRUE;
        host.mainWindow_ = window;
        return FALSE;
    }
    static BOOL CALLBACK takePanel(HWND window, LPARAM self) {
        if (GetDlgItem(window, kEdit) == nullptr) return TRUE;
        reinterpret_cast<OtherHost*>(self)->panel_ = window;
        return FALSE;
    }

    static constexpr int kPatience = 600;
    static constexpr DWORD kPauseMilliseconds = 50;

    ChildProcess process_;
    HWND mainWindow_ = nullptr;
    HWND panel_ = nullptr;
};

class SharedSettings : public PanelWorkflow {
protected:
    // Another instance saves `list`: a process of its own replaces the file with its text.
    void otherInstanceSaves(const SearchList& list) const {
        const fs::path source = configDirectory.parent_path() / L"other.json";
        { std::ofstream(source) << writeSearchList(list); }
        const ChildProcess saver(minihost::executableFolder() / L"settings_saver.exe",
                                 quoted(settingsFile()) + L" " + quoted(source));
        ASSERT_EQ(saver.exitCode(), 0);
    }

    std::vector<std::wstring> rowTexts() const { return firstColumn(searchRows()); }
    std::vector<std::wstring> savedTexts() const { return textsOf(savedList()); }
};

TEST_F(SharedSettings, TwoHostsAddingInTurnAndClosingKeepEveryString) {
    add(L"one");
    const OtherHost other(configDirectory);
    ASSERT_TRUE(other.running());
    EXPECT_EQ(other.searchRowCount(), 1);
    other.add(L"two");
    EXPECT_EQ(savedTexts(), (std::vector<std::wstring>{L"one", L"two"}));

    add(L"three");
    EXPECT_EQ(searchRows(),
              (Rows{{L"one", L"#FFFF00"}, {L"two", L"#00FF80"}, {L"three", L"#00C8FF"}}));
    EXPECT_EQ(savedTexts(), (std::vector<std::wstring>{L"one", L"two", L"three"}));

    EXPECT_EQ(other.close(), 0);
    EXPECT_EQ(savedTexts(), (std::vector<std::wstring>{L"one", L"two", L"three"}));
    host->exit();
    EXPECT_EQ(savedTexts(), (std::vector<std::wstring>{L"one", L"two", L"three"}));
}

TEST_F(SharedSettings, DeleteRemovesTheRowTheUserSawWhereverTheOtherInstanceMovedIt) {
    struct Case {
        const char* what;
        std::vector<std::wstring> others;  // the other instance's list
        bool secondDisabled;               // and "two" unchecked there
        std::vector<std::wstring> after;   // once "two", row 1 here, is deleted
    };
    const Case cases[] = {
        {"unchecked it", {L"one", L"two", L"three"}, true, {L"one", L"three"}},
        {"deleted a row before it", {L"two", L"three"}, false, {L"three"}},
        {"added a row", {L"one", L"two", L"three", L"four"}, false, {L"one", L"three", L"four"}},
        {"deleted it", {L"one", L"three"}, false, {L"one", L"three"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeSettings(writeSearchList(listOf({L"one", L"two", L"three"})));
        showPanel();  // hidden, then shown: loaded again
        showPanel();
        ASSERT_EQ(rowTexts(), (std::vector<std::wstring>{L"one", L"two", L"three"}));
        SearchList others = listOf(c.others);
        if (c.secondDisabled) others.setEnabled(1, false);
        otherInstanceSaves(others);

        controls().selectRow(kSearchList, 1);
        controls().pressDelete();
        EXPECT_EQ(rowTexts(), c.after);
        EXPECT_EQ(savedTexts(), c.after);
    }
}

TEST_F(SharedSettings, ShowingAndChangingLoadTheOtherInstancesListAndLeaveTheResults) {
    setDocument(host->mainView(), "one two three");
    add(L"one");
    add(L"two");
    controls().click(kSearch);
    ASSERT_TRUE(controls().allBoxChecked());

    SearchList others = listOf({L"one", L"two", L"three"});
    others.setEnabled(1, false);
    otherInstanceSaves(others);
    showPanel();
    showPanel();
    EXPECT_EQ(rowTexts(), (std::vector<std::wstring>{L"one", L"two", L"three"}));
    EXPECT_EQ(controls().checkState(1), 0x1000u);
    EXPECT_FALSE(controls().allBoxChecked());
    EXPECT_EQ(resultRows(),
              (Rows{{L"1", L"one", L"one two three"}, {L"1", L"two", L"one two three"}}));
    EXPECT_EQ(controls().text(kResultsLabel), L"Results: 2 matches found");

    others.add(u"four");
    otherInstanceSaves(others);
    controls().click(kAll);  // checked by the click: every entry of the newer list enabled
    EXPECT_TRUE(controls().allBoxChecked());
    EXPECT_EQ(rowTexts(), (std::vector<std::wstring>{L"one", L"two", L"three", L"four"}));
    for (int row = 0; row < 4; ++row) EXPECT_EQ(controls().checkState(row), 0x2000u) << row;
    for (const SearchEntry& entry : savedList()) EXPECT_TRUE(entry.enabled);

    others = savedList();
    others.add(u"five");
    otherInstanceSaves(others);
    controls().setCheckState(0, 0x1000);  // the rows are rebuilt once the list view is done
    host->pumpMessages();
    EXPECT_EQ(rowTexts(), (std::vector<std::wstring>{L"one", L"two", L"three", L"four", L"five"}));
    EXPECT_EQ(controls().checkState(0), 0x1000u);
    EXPECT_EQ(controls().checkState(4), 0x2000u);
    EXPECT_FALSE(savedList()[0].enabled);
    EXPECT_EQ(savedTexts().size(), 5u);
    EXPECT_EQ(resultRows().size(), 2u);
}

TEST_F(SharedSettings, ListOf10000EntriesReplacedBetweenTwoChangesKeepsBothInstancesChanges) {
    constexpr int kEntries = 10000;
    std::vector<std::wstring> texts;
    for (int i = 0; i < kEntries; ++i) texts.push_back(L"entry " + std::to_wstring(100000 + i));
    writeSettings(writeSearchList(listOf(texts)));
    showPanel();
    showPanel();
    ASSERT_EQ(searchRows().size(), static_cast<std::size_t>(kEntries));

    controls().setCheckState(kEntries - 1, 0x1000);
    host->pumpMessages();
    SearchList others = savedList();
    ASSERT_FALSE(others[kEntries - 1].enabled);
    // The same size: only the file's bytes tell the change.
    SearchList changed;
    for (int i = 0; i < kEntries; ++i)
        changed.append(
            {i == 5000 ? u"other 105000" : others[i].text, others[i].enabled, others[i].color});
    otherInstanceSaves(changed);

    controls().selectRow(kSearchList, 0);
    controls().pressDelete();
    const SearchList saved = savedList();
    ASSERT_EQ(saved.size(), static_cast<std::size_t>(kEntries - 1));
    EXPECT_TRUE(saved[0].text == u"entry 100001");
    EXPECT_TRUE(saved[4999].text == u"other 105000");
    EXPECT_FALSE(saved[kEntries - 2].enabled);
    EXPECT_EQ(controls().rows(kSearchList, 1).at(4999).at(0), L"other 105000");
}

}  // namespace
}  // namespace tarnwick::testing
