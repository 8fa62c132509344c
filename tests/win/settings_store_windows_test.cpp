#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "child_process.hpp"
#include "file_bytes.hpp"
#include "folder_names.hpp"
#include "minihost/executable_folder.hpp"
#include "settings/atomic_file.hpp"
#include "settings/settings_store.hpp"
#include "temp_folder.hpp"
#include "test_host_window.hpp"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

using Names = std::vector<fs::path>;

class SettingsStoreOnWindows : public ::testing::Test {
protected:
    void SetUp() override {
        root = uniqueTempFolder(L"tarnwick-store");
        host = std::make_unique<TestHostWindow>((root / L"npp" / L"plugins" / L"Config").wstring());
        store.initPaths(host->handle());
    }
    void TearDown() override { fs::remove_all(root); }

    // The file that could not be read whole was copied aside, and the last save holds the
    // one entry `text`.
    void expectKeptAsideAndSaved(const std::string& kept, const std::u16string& text) {
        EXPECT_EQ(fileBytes(fs::path(store.backupPath())), kept);
        SearchList saved;
        store.load(saved);
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_TRUE(saved[0].text == text);
    }

    fs::path folder() const { return fs::path(store.folderPath()); }

    fs::path root;
    std::unique_ptr<TestHostWindow> host;
    SettingsStore store;
};

TEST_F(SettingsStoreOnWindows, PathsUseBackslashesUnderTheHostsMissingFolder) {
    const std::u16string folder = store.folderPath();
    EXPECT_EQ(folder.substr(folder.size() - 9), u"\\Tarnwick");
    EXPECT_TRUE(store.filePath() == folder + u"\\searches.json");
    EXPECT_TRUE(fs::is_directory(fs::path(folder)));
}

TEST_F(SettingsStoreOnWindows, FileHasCrLfLineEndsAndLoadsBackUnchanged) {
    SearchList saved;
    saved.add(u"na\u00EFve \U0001F600");
    saved.add(u"plain");
    saved.setEnabled(1, false);
    store.save(saved);
    store.save(saved);  // replacing an existing file

    const std::string bytes = fileBytes(fs::path(store.filePath()));
    EXPECT_EQ(bytes.substr(0, 17), "{\r\n  \"entries\": [");
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
    EXPECT_EQ(bytes.back(), '}');
    EXPECT_NE(bytes.find("na\xC3\xAFve \xF0\x9F\x98\x80"), std::string::npos);

    SearchList loaded;
    store.load(loaded);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_TRUE(loaded[0].text == saved[0].text);
    EXPECT_TRUE(loaded[1].text == u"plain");
    EXPECT_FALSE(loaded[1].enabled);
    EXPECT_EQ(loaded[1].color, saved[1].color);
    EXPECT_EQ(namesIn(folder()), (Names{L"searches.json", L"searches.json.lock"}));
}

TEST_F(SettingsStoreOnWindows, UnreadableFileIsKeptAsBackup) {
    { std::ofstream(fs::path(store.filePath()), std::ios::binary) << "{ oops"; }
    SearchList list;
    store.load(list);
    list.add(u"new");
    store.save(list);
    expectKeptAsideAndSaved("{ oops", u"new");
}

// A file held open without sharing cannot be read: it counts as changed, so nothing is
// written over it, and the change waits until the file can be read.
TEST_F(SettingsStoreOnWindows, FileHeldOpenByAnotherProgramIsNeitherReadNorLost) {
    const fs::path file(store.filePath());
    { std::ofstream(file, std::ios::binary) << R"({"entries": [{"text": "theirs"}]})"; }
    const HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SearchList list;
    store.load(list);
    EXPECT_TRUE(list.empty());
    store.update(list, [](SearchList& l) { return l.add(u"mine"); });
    CloseHandle(held);
    EXPECT_EQ(fileBytes(file), R"({"entries": [{"text": "theirs"}]})");
    ASSERT_TRUE(store.saveProblem());
    EXPECT_TRUE(*store.saveProblem() == systemErrorText(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(namesIn(folder()), (Names{L"searches.json", L"searches.json.lock"}));

    store.update(list, [](SearchList&) { return false; });
    EXPECT_FALSE(store.saveProblem());
    SearchList saved;
    store.load(saved);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_TRUE(saved[0].text == u"theirs" && saved[1].text == u"mine");
}

TEST_F(SettingsStoreOnWindows, SettingsFileThatIsAFolderIsNeitherReadNorReplaced) {
    const fs::path file(store.filePath());
    fs::create_directories(file / L"inside");
    SearchList list;
    list.add(u"kept");
    store.load(list);
    EXPECT_EQ(list.size(), 1u);
    store.save(list);
    EXPECT_TRUE(fs::is_directory(file / L"inside"));
    EXPECT_EQ(namesIn(folder()), (Names{L"searches.json", L"searches.json.lock"}));
}

// A file held open with no sharing, as a save of another process holds its temporary file.
class HeldFile {
public:
    explicit HeldFile(const fs::path& path) {
        std::ofstream(path, std::ios::binary) << "theirs";
        handle_ = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~HeldFile() { CloseHandle(handle_); }
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

TEST_F(SettingsStoreOnWindows, TemporaryFilesOfOtherProcessesAreLeftAlone) {
    const std::wstring file = fs::path(store.filePath()).wstring();
    const std::wstring others =
        file + L"." + std::to_wstring(GetCurrentProcessId() + 4) + L"-1.tmp";
    const std::wstring fixedName = file + L".tmp";
    {
        const HeldFile another(others);
        const HeldFile older(fixedName);
        ASSERT_TRUE(another.held() && older.held());
        SearchList list;
        list.add(u"mine");
        store.save(list);
    }
    SearchList saved;
    store.load(saved);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(saved[0].text == u"mine");
    EXPECT_EQ(fileBytes(others), "theirs");
    EXPECT_EQ(fileBytes(fixedName), "theirs");
    EXPECT_EQ(namesIn(folder()).size(), 4u);
}

// A process of its own that saves `length` times `letter` into `file` `times` times; its
// exit code is the number of saves that failed.
std::unique_ptr<ChildProcess> startSaver(const fs::path& file, wchar_t letter, int length,
                                         int times) {
    return std::make_unique<ChildProcess>(minihost::executableFolder() / L"settings_saver.exe",
                                          quoted(file) + L" " + letter + L" " +
                                              std::to_wstring(length) + L" " +
                                              std::to_wstring(times));
}

TEST_F(SettingsStoreOnWindows, TwoProcessesSavingIntoOneFolderAllSucceedAndLeaveOneWholeFile) {
    const fs::path file(store.filePath());
    const auto first = startSaver(file, L'a', 64 * 1024, 100);
    const auto second = startSaver(file, L'b', 48 * 1024, 100);
    EXPECT_EQ(first->exitCode(), 0);
    EXPECT_EQ(second->exitCode(), 0);
    const std::string last = fileBytes(file);
    EXPECT_TRUE(last == std::string(64 * 1024, 'a') || last == std::string(48 * 1024, 'b'))
        << last.size() << " bytes";
    EXPECT_EQ(namesIn(folder()), Names{L"searches.json"});
}

}  // namespace
}  // namespace tarnwick::testing
