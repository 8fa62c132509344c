// Huge and hostile inputs: none may crash, hang, or cost the user the list on disk.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "core/results/result_lines.hpp"
#include "core/search/document_searcher.hpp"
#include "fake_editor.hpp"
#include "fake_host.hpp"
#include "host/editor_messages.hpp"
#include "file_bytes.hpp"
#include "folder_names.hpp"
#include "settings/settings_format.hpp"
#include "settings/settings_store.hpp"
#include "settings_store_fixture.hpp"
#include "settings/utf8_conversion.hpp"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

SearchList readText(const std::string& text, bool* whole = nullptr) {
    std::istringstream in(text);
    SearchList list;
    const bool tookAll = readSearchList(in, list);
    if (whole) *whole = tookAll;
    return list;
}

TEST(HostileSettings, FiftyMegabytesOfEntriesLoad) {
    std::string text = R"({"entries": [)";
    const std::string entry =
        R"({"text": ")" + std::string(230, 'x') + R"(", "enabled": false, "color": 123},)";
    const std::size_t count = 50'000'000 / entry.size();
    text.reserve(count * entry.size() + 64);
    for (std::size_t i = 0; i < count; ++i) text += entry;
    text.back() = ']';
    text += '}';
    bool whole = false;
    const SearchList list = readText(text, &whole);
    EXPECT_TRUE(whole);
    ASSERT_EQ(list.size(), count);
    EXPECT_EQ(list[count - 1].color, 123u);
}

TEST(HostileSettings, HundredThousandNestedArraysAreABadFileNotACrash) {
    const std::string nested = std::string(100'000, '[') + std::string(100'000, ']');
    bool whole = true;
    EXPECT_TRUE(readText(nested, &whole).empty());
    EXPECT_FALSE(whole);
    EXPECT_TRUE(readText(R"({"entries": )" + nested + "}", &whole).empty());
    EXPECT_FALSE(whole);
    EXPECT_TRUE(readText(R"({"entries": [{"text": )" + nested + "}]}", &whole).empty());
}

TEST(HostileSettings, EveryJsonTypeInEveryFieldEitherLoadsOrStopsThere) {
    const char* values[] = {"null",       "true", "false", "0",          "-1",
                            "4294967296", "1.5",  "1e300", "-1e300",     R"("text")",
                            "[]",         "[1]",  "{}",    R"({"a": 1})"};
    for (const char* field : {"text", "enabled", "color"}) {
        for (const char* value : values) {
            const std::string text = std::string(R"({"entries": [{"text": "first"}, {")") + field +
                                     R"(": )" + value + "}]}";
            bool whole = true;
            const SearchList list = readText(text, &whole);
            ASSERT_GE(list.size(), 1u) << text;
            EXPECT_TRUE(list[0].text == u"first") << text;
            EXPECT_EQ(list.size() == 2, whole) << text;
        }
    }
    for (const char* value : values) {
        const SearchList list = readText(std::string(R"({"version": )") + value +
                                         R"(, "entries": [{"text": "kept"}]})");
        EXPECT_EQ(list.size(), 1u) << value;
        bool whole = true;
        readText(std::string(R"({"entries": )") + value + "}", &whole);
        EXPECT_EQ(whole, std::string(value) == "[]") << value;
    }
}

TEST(HostileSettings, MegabyteTextSurvivesTheRoundTrip) {
    SearchList list;
    list.append({std::u16string(1'000'000, u'\u00E9'), true, 5});
    bool whole = false;
    const SearchList back = readText(writeSearchList(list), &whole);
    EXPECT_TRUE(whole);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_TRUE(back[0].text == list[0].text);
}

TEST(HostileSettings, FileCutInsideAUtf8SequenceLeavesTheListAlone) {
    SearchList list;
    list.add(u"before");
    std::istringstream in("{\"entries\": [{\"text\": \"caf\xC3");
    EXPECT_FALSE(readSearchList(in, list));
    EXPECT_EQ(list.size(), 1u);
}

using HostileSettingsOnDisk = SettingsStoreOnDisk;

// Root reads every file whatever its mode, so as root the scenario runs in a child process
// that has become the unprivileged user nobody and owns the test's folder.
void runUnprivileged(const fs::path& folder, const std::function<void()>& scenario) {
    if (geteuid() != 0) return scenario();
    constexpr uid_t kNobody = 65534;
    // A container's root may lack the right to give files away or to change user.
    constexpr int kCannotDropRoot = 77;
    bool given = chown(folder.c_str(), kNobody, kNobody) == 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        given = given && chown(entry.path().c_str(), kNobody, kNobody) == 0;
    if (!given) GTEST_SKIP() << "root here cannot hand the test folder to user nobody";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(kCannotDropRoot);
        scenario();
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the scenario as user nobody did not end normally";
    if (WEXITSTATUS(status) == kCannotDropRoot) GTEST_SKIP() << "root here cannot become nobody";
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "the scenario failed as user nobody (see its output above)";
}

// A file that cannot be read counts as changed: nothing is written over it, and once it
// can be read the change still pending is made to its list.
TEST_F(HostileSettingsOnDisk, FileThatCannotBeReadIsNotOverwrittenButMergedOnceRead) {
    runUnprivileged(root, [this] {
        const std::string theirs = R"({"entries": [{"text": "theirs"}]})";
        { std::ofstream(file(), std::ios::binary) << theirs; }
        fs::permissions(file(), fs::perms::none);
        SearchList list;
        store.load(list);
        EXPECT_TRUE(list.empty());
        store.update(list, [](SearchList& l) { return l.add(u"mine"); });
        ASSERT_TRUE(store.saveProblem());
        EXPECT_TRUE(*store.saveProblem() == u"Permission denied");
        fs::permissions(file(), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(fileBytes(file()), theirs) << "saved over a list that was never read";

        EXPECT_TRUE(store.update(list, [](SearchList&) { return false; }).reloaded);
        EXPECT_FALSE(store.saveProblem());
        SearchList saved;
        store.load(saved);
        ASSERT_EQ(saved.size(), 2u);
        EXPECT_TRUE(saved[0].text == u"theirs" && saved[1].text == u"mine");
        EXPECT_FALSE(fs::exists(backup())) << "a file read whole needs no backup";
    });
}

TEST_F(HostileSettingsOnDisk, SettingsFileThatIsAFolderIsNeitherReadNorReplaced) {
    fs::create_directories(file() / "inside");
    SearchList list;
    list.add(u"kept");
    store.load(list);
    EXPECT_EQ(list.size(), 1u);
    store.save(list);
    EXPECT_TRUE(fs::is_directory(file() / "inside"));
    EXPECT_EQ(namesIn(file().parent_path()),
              (std::vector<fs::path>{"searches.json", "searches.json.lock"}));
}

TEST(HostileDocuments, LinesOfTenMegabytesAreFetchedWhole) {
    const std::string longLine =
        std::string(5'000'000, 'x') + "needle" + std::string(5'000'000, 'y');
    FakeEditor editor(longLine + "\r\n" + longLine + "needle");
    SearchList list;
    list.add(u"NEEDLE");
    const MatchList found = DocumentSearcher{}.searchAll(EditorView(editor.handle()), list);
    ASSERT_EQ(found.size(), 3u);
    ResultLines lines;
    const EditorView view(editor.handle());
    EXPECT_EQ(lines.read(view, found[0].line, found[0].position).text.size(), longLine.size());
    EXPECT_EQ(found[2].line, 1);
    EXPECT_EQ(lines.read(view, found[2].line, found[2].position).text.size(), longLine.size() + 6);
    EXPECT_EQ(found[2].position, static_cast<std::int64_t>(2 * longLine.size() + 2));
}

// An editor that answers every line's length with a negative number whose low 32 bits
// read as a megabyte, and so writes nothing into the line buffer.
class NegativeLineLengthEditor : public FakeEditor {
public:
    using FakeEditor::FakeEditor;

protected:
    std::intptr_t answer(SentMessage& recorded) override {
        if (recorded.message == SCI_LINELENGTH) return -(std::int64_t{1} << 32) + (1 << 20);
        if (recorded.message == SCI_GETLINE) {
            recorded.lParam = 0;
            return 0;
        }
        return FakeEditor::answer(recorded);
    }
};

TEST(HostileDocuments, NegativeLineLengthIsAnEmptyLineWhateverItsLow32Bits) {
    if constexpr (sizeof(std::intptr_t) < 8) GTEST_SKIP() << "lengths are 32 bits here";
    NegativeLineLengthEditor editor("abc");
    SearchList list;
    list.add(u"b");
    const MatchList found = DocumentSearcher{}.searchAll(EditorView(editor.handle()), list);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(ResultLines().read(EditorView(editor.handle()), 0, 1).text.empty());
    EXPECT_EQ(found[0].position, 1);
}

TEST(HostileDocuments, LongestEntryOfNonBmpCharactersIsCutAndSearchedSafely) {
    std::u16string text;
    for (int i = 0; i < 300; ++i) text += u"\U0001F600";  // 600 units
    SearchList list;
    ASSERT_TRUE(list.add(text));
    // The last pair is cut in half by the buffer; the half left over goes too.
    ASSERT_EQ(list[0].text.size(), 510u);
    EXPECT_TRUE(list[0].text == text.substr(0, 510));
    const std::string needle = toUtf8(list[0].text);
    EXPECT_EQ(needle.size(), 255u * 4);
    FakeEditor editor(std::string("x") + needle + "x");
    const MatchList found = DocumentSearcher{}.searchAll(EditorView(editor.handle()), list);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].length, static_cast<std::int64_t>(needle.size()));
    // The entry comes back from the file as it went in.
    EXPECT_TRUE(readText(writeSearchList(list))[0].text == list[0].text);
}

}  // namespace
}  // namespace tarnwick::testing
