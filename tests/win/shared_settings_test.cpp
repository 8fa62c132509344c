// Several instances of the host over one settings folder: each loads the list another one
// saved before it changes its own, so no instance's strings are lost.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "child_process.hpp"
#include "minihost/executable_folder.hpp"
#include "panel/results/result_texts.hpp"
#include "panel_workflow_fixture.hpp"
#include "settings/atomic_file.hpp"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::wstring>;

SearchList listOf(const Texts& texts) {
    SearchList list;
    for (const std::wstring& text : texts) list.add(std::u16string(text.begin(), text.end()));
    return list;
}

// minihost.exe over the same configuration folder, its panel shown at start-up: a second
// instance of the host, driven by window messages from this process.
class OtherHost {
public:
    explicit OtherHost(const fs::path& configDirectory)
        : process_(minihost::executableFolder() / L"minihost.exe",
                   L"--config " + quoted(configDirectory) + L" --show-panel") {
        WaitForInputIdle(process_.handle(), 30000);
        // Its panel is ready once shown, at the end of its start-up.
        for (int attempt = 0; attempt < 600 && !ready(); ++attempt) Sleep(50);
    }
    ~OtherHost() { TerminateProcess(process_.handle(), 1); }

    bool ready() {
        for (HWND window = nullptr;
             (window = FindWindowExW(nullptr, window, L"TarnwickMiniHost", nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process_.id()) mainWindow_ = window;
        }
        panel_ = FindWindowExW(mainWindow_, nullptr, L"#32770", nullptr);
        return panel_ != nullptr && (GetWindowLongPtrW(panel_, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    LRESULT searchRowCount() const {
        return SendMessageW(GetDlgItem(panel_, kSearchList), LVM_GETITEMCOUNT, 0, 0);
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
    // Another instance adds `prefix` followed by 0, 1, ... `times` times, one change at a
    // time, through a settings store of its own in a process of its own.
    std::unique_ptr<ChildProcess> otherInstanceAdds(const std::wstring& prefix, int times) const {
        return std::make_unique<ChildProcess>(
            minihost::executableFolder() / L"settings_saver.exe",
            L"--add " + quoted(configDirectory) + L" " + prefix + L" " + std::to_wstring(times));
    }
    fs::path lockFile() const { return settingsFile().wstring() + L".lock"; }
    static std::wstring notSavedLabel(DWORD error) {
        const std::u16string text = listNotSavedText(systemErrorText(static_cast<int>(error)));
        return std::wstring(text.begin(), text.end());
    }
    // "Show Panel" twice: hidden, then shown.
    void showAgain() {
        showPanel();
        showPanel();
    }

    Texts rowTexts() const {
        Texts texts;
        for (const auto& row : searchRows()) texts.push_back(row.at(0));
        return texts;
    }
    Texts savedTexts() const {
        Texts texts;
        for (const SearchEntry& entry : savedList())
            texts.emplace_back(entry.text.begin(), entry.text.end());
        return texts;
    }
};

TEST_F(SharedSettings, TwoHostsAddingInTurnAndClosingKeepEveryString) {
    add(L"one");
    OtherHost other(configDirectory);
    ASSERT_TRUE(other.ready());
    EXPECT_EQ(other.searchRowCount(), 1);
    other.add(L"two");
    EXPECT_EQ(savedTexts(), (Texts{L"one", L"two"}));
    add(L"three");
    EXPECT_EQ(searchRows(),
              (Rows{{L"one", L"#FFFF00"}, {L"two", L"#00FF80"}, {L"three", L"#00C8FF"}}));
    EXPECT_EQ(other.close(), 0);
    host->exit();
    EXPECT_EQ(savedTexts(), (Texts{L"one", L"two", L"three"}));
}

TEST_F(SharedSettings, DeleteRemovesTheRowTheUserSawWhereverTheOtherInstanceMovedIt) {
    struct Case {
        const char* what;
        Texts others;         // the other instance's list
        bool secondDisabled;  // with its second entry unchecked
        Texts after;          // once "two", row 1 here, is deleted
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
        showAgain();
        ASSERT_EQ(rowTexts(), (Texts{L"one", L"two", L"three"}));
        SearchList others = listOf(c.others);
        others.setEnabled(1, !c.secondDisabled);
        otherInstanceSaves(others);
        controls().selectRow(kSearchList, 1);
        controls().pressDelete();
        EXPECT_EQ(rowTexts(), c.after);
        EXPECT_EQ(savedTexts(), c.after);
    }
}

TEST_F(SharedSettings, ShowingTheAllBoxAndACheckBoxLoadTheOtherInstancesListButNotTheResults) {
    setDocument(host->mainView(), "one two three");
    add(L"one");
    add(L"two");
    controls().click(kSearch);
    const Rows results = resultRows();
    SearchList others = listOf({L"one", L"two", L"three"});
    others.setEnabled(1, false);
    otherInstanceSaves(others);
    showAgain();
    EXPECT_EQ(rowTexts(), (Texts{L"one", L"two", L"three"}));
    EXPECT_EQ(controls().checkState(1), 0x1000u);
    EXPECT_FALSE(controls().allBoxChecked());

    others.add(u"four");
    otherInstanceSaves(others);
    controls().click(kAll);  // checked by the click: every entry of the newer list enabled
    EXPECT_TRUE(controls().allBoxChecked());
    EXPECT_EQ(rowTexts(), (Texts{L"one", L"two", L"three", L"four"}));
    EXPECT_EQ(controls().checkState(1), 0x2000u);
    EXPECT_TRUE(savedList().allEnabled());

    others = savedList();
    others.add(u"five");
    otherInstanceSaves(others);
    controls().clickCheckBox(0);  // the rows are rebuilt once the list view is done
    host->pumpMessages();
    EXPECT_EQ(rowTexts(), (Texts{L"one", L"two", L"three", L"four", L"five"}));
    EXPECT_EQ(controls().checkState(0), 0x1000u);
    EXPECT_EQ(controls().checkState(4), 0x2000u);
    EXPECT_FALSE(savedList()[0].enabled);
    EXPECT_EQ(resultRows(), results);
    EXPECT_EQ(controls().text(kResultsLabel), L"Results: 2 matches found");
}

TEST_F(SharedSettings, ListOf10000EntriesReplacedBetweenTwoChangesKeepsBothInstancesChanges) {
    constexpr int kEntries = 10000;
    Texts texts;
    for (int i = 0; i < kEntries; ++i) texts.push_back(L"entry " + std::to_wstring(100000 + i));
    writeSettings(writeSearchList(listOf(texts)));
    showAgain();
    controls().clickCheckBox(kEntries - 1);
    // The other instance renames one entry: a file of the same size.
    SearchList others = savedList();
    ASSERT_FALSE(others[kEntries - 1].enabled);
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
    EXPECT_EQ(rowTexts().at(4999), L"other 105000");
}

// Nothing is written over a list that could not be read, and a change whose save failed is
// neither lost nor silent: the row stays, the label says why, and the change is saved, into
// the list another instance saved meanwhile, by the next Show Panel that can.
TEST_F(SharedSettings, ChangeThatCouldNotBeSavedIsShownKeptAndSavedOncePossible) {
    using Unblock = std::function<void()>;
    struct Case {
        const char* what;
        std::function<Unblock(const fs::path& lock, const fs::path& file)> block;
        DWORD error;
    };
    // A file opened without sharing by another program.
    const auto hold = [](const fs::path& path) -> Unblock {
        const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(held, INVALID_HANDLE_VALUE);
        return [held] { CloseHandle(held); };
    };
    const Case cases[] = {
        // Wine run as root writes into read-only folders: a folder where the lock file
        // goes refuses the save as a read-only folder does.
        {"a folder that refuses new files",
         [](const fs::path& lock, const fs::path&) -> Unblock {
             fs::remove(lock);
             fs::create_directory(lock);
             return [lock] { fs::remove(lock); };
         },
         ERROR_ACCESS_DENIED},
        {"the file held beyond the retries",
         [&](const fs::path&, const fs::path& file) { return hold(file); },
         ERROR_SHARING_VIOLATION},
        {"the lock held beyond its wait",
         [&](const fs::path& lock, const fs::path&) { return hold(lock); },
         ERROR_SHARING_VIOLATION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeSettings(writeSearchList(listOf({L"one"})));
        showAgain();
        const std::wstring labelBefore = label();
        const Unblock unblock = c.block(lockFile(), settingsFile());
        add(L"two");
        EXPECT_EQ(rowTexts(), (Texts{L"one", L"two"}));
        EXPECT_EQ(label(), notSavedLabel(c.error));
        unblock();
        EXPECT_EQ(savedTexts(), (Texts{L"one"}));

        EXPECT_EQ(otherInstanceAdds(L"three", 1)->exitCode(), 0);
        showAgain();
        EXPECT_EQ(rowTexts(), (Texts{L"one", L"three0", L"two"}));
        EXPECT_EQ(savedTexts(), rowTexts());
        EXPECT_EQ(label(), labelBefore);
    }
}

TEST_F(SharedSettings, ShutdownSavesAPendingChangeIntoTheNewerList) {
    add(L"one");
    {
        const HANDLE held = CreateFileW(settingsFile().c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        add(L"two");
        CloseHandle(held);
    }
    EXPECT_EQ(otherInstanceAdds(L"three", 1)->exitCode(), 0);
    host->exit();
    EXPECT_EQ(savedTexts(), (Texts{L"one", L"three0", L"two"}));
}

// Two instances change the list at once, each a thousand times: the lock makes every change
// to the newest list, so none is lost.
TEST_F(SharedSettings, TwoInstancesAddingAThousandEntriesEachAtOnceKeepEveryOne) {
    constexpr int kRounds = 1000;
    const auto other = otherInstanceAdds(L"theirs", kRounds);
    for (int wait = 0; wait < 1000 && !fs::exists(settingsFile()); ++wait) Sleep(10);
    for (int i = 0; i < kRounds; ++i) add(L"mine" + std::to_wstring(i));
    EXPECT_EQ(other->exitCode(), 0);
    showAgain();

    Texts expected;
    for (int i = 0; i < kRounds; ++i) {
        expected.push_back(L"mine" + std::to_wstring(i));
        expected.push_back(L"theirs" + std::to_wstring(i));
    }
    std::sort(expected.begin(), expected.end());
    const Texts saved = savedTexts();
    EXPECT_EQ(rowTexts(), saved);
    Texts sorted = saved;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, expected);
    // They did race: the file's entries change hands many times.
    int handovers = 0;
    for (std::size_t i = 1; i < saved.size(); ++i)
        handovers += saved[i].substr(0, 4) != saved[i - 1].substr(0, 4) ? 1 : 0;
    EXPECT_GT(handovers, 20);
    EXPECT_EQ(label(), L"Results:");
}

}  // namespace
}  // namespace tarnwick::testing
