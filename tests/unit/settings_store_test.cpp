#include "settings/settings_store.hpp"

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "fake_host.hpp"
#include "settings_store_fixture.hpp"
#include "file_bytes.hpp"
#include "folder_names.hpp"
#include "host/host_messages.hpp"
#include "settings/settings_format.hpp"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

void writeRaw(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

SearchList twoEntries() {
    SearchList list;
    list.add(u"caf\u00E9");
    list.add(u"second");
    list.setEnabled(1, false);
    return list;
}

TEST_F(SettingsStoreOnDisk, InitPathsAsksTheHostAndCreatesTheFolderWithItsParents) {
    EXPECT_EQ(host.messages(),
              std::vector<SentMessage>({{NPPM_GETPLUGINSCONFIGDIR, 260, 0, "zero-filled"}}));
    EXPECT_TRUE(store.folderPath() == host.configDirectory + u"/Tarnwick");
    EXPECT_TRUE(store.filePath() == store.folderPath() + u"/searches.json");
    EXPECT_TRUE(fs::is_directory(fs::path(store.folderPath())));
}

TEST_F(SettingsStoreOnDisk, SavedListIsTheFormatsBytesAndLoadsBackUnchanged) {
    const SearchList saved = twoEntries();
    store.save(saved);
    EXPECT_EQ(fileBytes(file()), writeSearchList(saved));

    SettingsStore reader;
    reader.initPaths(host.handle());
    SearchList loaded;
    reader.load(loaded);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_TRUE(loaded[0].text == u"caf\u00E9");
    EXPECT_FALSE(loaded[1].enabled);
    EXPECT_EQ(loaded[1].color, saved[1].color);
}

TEST_F(SettingsStoreOnDisk, MissingFileLeavesTheListAndNeedsNoBackup) {
    SearchList list;
    list.add(u"kept");
    store.load(list);
    EXPECT_EQ(list.size(), 1u);
    store.save(list);
    EXPECT_FALSE(fs::exists(backup()));
    EXPECT_TRUE(fs::exists(file()));
}

TEST_F(SettingsStoreOnDisk, CompletelyReadFileNeedsNoBackup) {
    store.save(twoEntries());
    SearchList list;
    store.load(list);
    store.save(list);
    EXPECT_FALSE(fs::exists(backup()));
}

TEST_F(SettingsStoreOnDisk, FileThatDoesNotParseIsKeptAsBackupBeforeTheFirstSaveOnly) {
    writeRaw(file(), "{ \"entries\": [ typo");
    SearchList list;
    store.load(list);
    EXPECT_TRUE(list.empty());
    list.add(u"new");
    store.save(list);
    EXPECT_EQ(fileBytes(backup()), "{ \"entries\": [ typo");
    EXPECT_EQ(fileBytes(file()), writeSearchList(list));

    store.save(list);
    EXPECT_EQ(fileBytes(backup()), "{ \"entries\": [ typo") << "a file read whole is not kept";

    // Two backups in a row: the second never replaces the first.
    writeRaw(file(), "{ \"entries\": [ second typo");
    list.add(u"newer");
    store.save(list);
    EXPECT_EQ(fileBytes(backup()), "{ \"entries\": [ typo");
    EXPECT_EQ(fileBytes(store.backupPath(2)), "{ \"entries\": [ second typo");
    EXPECT_TRUE(store.backupPath(2) == store.filePath() + u".2.bak");
}

TEST_F(SettingsStoreOnDisk, FileReadOnlyInPartIsKeptAsBackup) {
    const std::string original = R"({"entries": [{"text": "a"}, {"enabled": "yes"}]})";
    writeRaw(file(), original);
    SearchList list;
    store.load(list);
    ASSERT_EQ(list.size(), 1u);
    store.save(list);
    EXPECT_EQ(fileBytes(backup()), original);
}

TEST_F(SettingsStoreOnDisk, FileIsNotOverwrittenWhenItsBackupCannotBeMade) {
    writeRaw(file(), "not json");
    // A link where the backup would go, into a folder that is not there.
    fs::create_symlink(root / "missing" / "backup", backup());
    SearchList list;
    store.load(list);
    store.update(list, [](SearchList& l) { return l.add(u"new"); });
    EXPECT_EQ(fileBytes(file()), "not json");
    EXPECT_TRUE(store.saveProblem());
    EXPECT_EQ(list.size(), 1u) << "the change is kept, pending";
}

SearchList listOf(std::initializer_list<const char16_t*> texts) {
    SearchList list;
    for (const char16_t* text : texts) list.add(text);
    return list;
}

std::vector<std::u16string> textsOf(const SearchList& list) {
    std::vector<std::u16string> texts;
    for (const SearchEntry& entry : list) texts.push_back(entry.text);
    return texts;
}

ino_t fileNumber(const fs::path& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

bool noChange(SearchList&) {
    return false;
}

// Two stores over one file, as two instances of the host: what another write does to the
// one that changes its list next and to the one that closes next, which holds no change
// of its own and so never writes.
TEST_F(SettingsStoreOnDisk, ChangedSinceCountsEveryByteAndShutdownNeverWritesOverANewerList) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> write;
        bool reloads;
        std::vector<std::u16string> texts;  // the changing store's list after its reload
    };
    const Case cases[] = {
        {"nothing", [](const fs::path&) {}, false, {u"one"}},
        {"same bytes", [](const fs::path& f) { writeRaw(f, fileBytes(f)); }, false, {u"one"}},
        {"same size and time, as within the time resolution",
         [](const fs::path& f) {
             const auto time = fs::last_write_time(f);
             std::string bytes = fileBytes(f);
             writeRaw(f, bytes.replace(bytes.find("one"), 3, "owe"));
             fs::last_write_time(f, time);
         },
         true,
         {u"owe"}},
        {"longer list",
         [](const fs::path& f) {
             writeRaw(f, writeSearchList(listOf({u"one", u"two"})));
         },
         true,
         {u"one", u"two"}},
        {"deleted", [](const fs::path& f) { fs::remove(f); }, true, {u"one"}},
        {"not json", [](const fs::path& f) { writeRaw(f, "{ junk"); }, true, {u"one"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsStore changing, closing;
        changing.initPaths(host.handle());
        closing.initPaths(host.handle());
        SearchList list = listOf({u"one"}), same;
        changing.save(list);
        closing.load(same);
        const ino_t number = fileNumber(file());
        closing.saveAtShutdown(same);
        EXPECT_EQ(fileNumber(file()), number) << "the file holds that list already";

        c.write(file());
        const std::string before = fs::exists(file()) ? fileBytes(file()) : "";
        EXPECT_EQ(changing.update(list, noChange).reloaded, c.reloads);
        EXPECT_EQ(textsOf(list), c.texts);
        EXPECT_FALSE(changing.update(list, noChange).reloaded) << "what was read is remembered";
        if (std::string(c.what) == "deleted") {
            EXPECT_EQ(fileBytes(file()), writeSearchList(list)) << "a deleted list is restored";
        } else {
            closing.saveAtShutdown(same);
            EXPECT_EQ(fileBytes(file()), before);
        }
        changing.save(list);
        EXPECT_FALSE(changing.update(list, noChange).reloaded) << "what was written is remembered";
        EXPECT_EQ(fs::exists(backup()), std::string(c.what) == "not json");
        fs::remove(backup());
        EXPECT_FALSE(changing.saveProblem());
    }
}

// Lowers one of this process's limits while it lives: the size of the files it may write,
// as a full disk would, or the number of files it may open. A write past the size limit
// then fails instead of ending the process.
class ProcessLimit {
public:
    ProcessLimit(int resource, rlim_t value) : resource_(resource) {
        getrlimit(resource_, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = value;
        setrlimit(resource_, &limited);
    }
    ~ProcessLimit() {
        setrlimit(resource_, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    int resource_;
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

using Names = std::vector<fs::path>;

TEST_F(SettingsStoreOnDisk, TemporaryFileThatCannotBeCreatedLeavesTheOldFile) {
    store.save(twoEntries());
    const std::string before = fileBytes(file());
    {
        ProcessLimit noFiles(RLIMIT_NOFILE, 0);
        store.save(SearchList{});
    }
    EXPECT_EQ(fileBytes(file()), before);
    EXPECT_EQ(namesIn(file().parent_path()), (Names{"searches.json", "searches.json.lock"}));
}

// A save that fails (here the disk is full) keeps its change pending: another instance's
// newer list is loaded with the change made to it, and the next update writes both.
TEST_F(SettingsStoreOnDisk, ChangeWhoseSaveFailedIsMadeToTheNewerListAndSavedLater) {
    SearchList list = listOf({u"one"});
    store.save(list);
    const std::string before = fileBytes(file());
    {
        ProcessLimit limit(RLIMIT_FSIZE, before.size());
        const auto [reloaded, changed] =
            store.update(list, [](SearchList& l) { return l.add(u"mine"); });
        EXPECT_TRUE(changed);
        EXPECT_FALSE(reloaded);
    }
    EXPECT_EQ(fileBytes(file()), before);
    ASSERT_TRUE(store.saveProblem());
    EXPECT_TRUE(*store.saveProblem() == u"File too large");

    SettingsStore other;
    other.initPaths(host.handle());
    SearchList theirs;
    other.load(theirs);
    other.update(theirs, [](SearchList& l) { return l.add(u"theirs"); });
    const EntryId one = list[0].id;
    {
        ProcessLimit limit(RLIMIT_FSIZE, before.size());
        EXPECT_TRUE(store.update(list, noChange).reloaded);
    }
    ASSERT_TRUE(store.saveProblem());
    // Merged a second time, the entries still count as unchanged here: the other's change
    // to one of them is kept, and each stays who it was.
    other.update(theirs, [](SearchList& l) { return l.setEnabled(0, false); });

    EXPECT_TRUE(store.update(list, noChange).reloaded);
    EXPECT_EQ(textsOf(list), (std::vector<std::u16string>{u"one", u"theirs", u"mine"}));
    EXPECT_FALSE(list[0].enabled);
    EXPECT_EQ(list[0].id, one);
    EXPECT_EQ(fileBytes(file()), writeSearchList(list));
    EXPECT_FALSE(store.saveProblem());
}

TEST_F(SettingsStoreOnDisk, WriteThatFailsHalfwayLeavesTheOldFileAndNoTemporary) {
    store.save(twoEntries());
    const std::string before = fileBytes(file());
    SearchList longer = twoEntries();
    longer.add(std::u16string(200, u'x'));
    {
        ProcessLimit limit(RLIMIT_FSIZE, before.size());
        store.save(longer);
    }
    EXPECT_EQ(fileBytes(file()), before);
    EXPECT_EQ(namesIn(file().parent_path()), (Names{"searches.json", "searches.json.lock"}));
}

}  // namespace
}  // namespace tarnwick::testing
