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

    writeRaw(backup(), "left alone");
    store.save(list);
    EXPECT_EQ(fileBytes(backup()), "left alone");
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
    fs::create_directory(backup());  // a folder where the backup would go
    SearchList list;
    store.load(list);
    list.add(u"new");
    store.save(list);
    EXPECT_EQ(fileBytes(file()), "not json");
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

// Another instance's save, or another program's write, as the store finds it afterwards.
struct OtherWrite {
    const char* what;
    std::function<void(const fs::path&)> write;
};

// The same bytes again; the same size with one letter changed and the file's time put back,
// as a rewrite within the file system's time resolution leaves it; a longer list; no file;
// a file that does not parse.
const OtherWrite kOtherWrites[] = {
    {"nothing", [](const fs::path&) {}},
    {"same bytes", [](const fs::path& file) { writeRaw(file, fileBytes(file)); }},
    {"same size and time",
     [](const fs::path& file) {
         const auto time = fs::last_write_time(file);
         std::string bytes = fileBytes(file);
         bytes.replace(bytes.find("one"), 3, "owe");
         writeRaw(file, bytes);
         fs::last_write_time(file, time);
     }},
    {"longer list",
     [](const fs::path& file) {
         writeRaw(file, writeSearchList(listOf({u"one", u"two"})));
     }},
    {"deleted", [](const fs::path& file) { fs::remove(file); }},
    {"not json", [](const fs::path& file) { writeRaw(file, "{ junk"); }},
};

TEST_F(SettingsStoreOnDisk, ChangedSinceTheLastReadOrWriteCountsEveryByteNotTheSizeOrTime) {
    struct Expected {
        bool reloads;
        std::vector<std::u16string> texts;
    };
    const Expected expected[] = {{false, {u"one"}},        {false, {u"one"}}, {true, {u"owe"}},
                                 {true, {u"one", u"two"}}, {true, {u"one"}},  {true, {u"one"}}};
    for (std::size_t i = 0; i < std::size(kOtherWrites); ++i) {
        SCOPED_TRACE(kOtherWrites[i].what);
        SettingsStore store;
        store.initPaths(host.handle());
        store.save(listOf({u"one"}));
        SearchList list = listOf({u"one"});
        kOtherWrites[i].write(file());
        EXPECT_EQ(store.reloadIfChanged(list), expected[i].reloads);
        EXPECT_EQ(textsOf(list), expected[i].texts);
        EXPECT_FALSE(store.reloadIfChanged(list)) << "what was read is remembered";
        store.save(list);
        EXPECT_FALSE(store.reloadIfChanged(list)) << "what was written is remembered";
        EXPECT_EQ(fs::exists(backup()), std::string(kOtherWrites[i].what) == "not json");
        fs::remove(backup());
    }
}

ino_t fileNumber(const fs::path& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

TEST_F(SettingsStoreOnDisk,
       ShutdownWritesOnlyAListThatDiffersAndNeverOverAnotherInstancesNewerOne) {
    struct Case {
        std::size_t otherWrite;  // index into kOtherWrites
        SearchList list;
        bool written;
    };
    const Case cases[] = {
        {0, listOf({u"one"}), false},          {0, listOf({u"one", u"three"}), true},
        {1, listOf({u"one", u"three"}), true}, {2, listOf({u"one", u"three"}), false},
        {3, listOf({u"one"}), false},          {4, listOf({u"one"}), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(kOtherWrites[c.otherWrite].what);
        store.save(listOf({u"one"}));
        kOtherWrites[c.otherWrite].write(file());
        const std::string before = fileBytes(file());
        const ino_t number = fileNumber(file());
        store.saveIfDifferent(c.list);
        EXPECT_EQ(fileBytes(file()), c.written ? writeSearchList(c.list) : before);
        EXPECT_EQ(fileNumber(file()) == number, !c.written) << "replaced by a write";
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
    EXPECT_EQ(namesIn(file().parent_path()), Names{"searches.json"});
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
    EXPECT_EQ(namesIn(file().parent_path()), Names{"searches.json"});
}

}  // namespace
}  // namespace tarnwick::testing
