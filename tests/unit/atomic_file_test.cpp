#include "settings/atomic_file.hpp"

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_bytes.hpp"
#include "folder_names.hpp"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

using Names = std::vector<fs::path>;

class AtomicFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tarnwick-atomic-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        target = folder / "searches.json";
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    fs::path target;
};

// A process of its own that writes `text` to `target` `times` times, as a second instance
// of the host saving into the same settings folder; it exits with the number of writes
// that failed.
pid_t startWriter(const fs::path& target, const std::string& text, int times) {
    const pid_t child = fork();
    if (child != 0) return child;
    int failures = 0;
    for (int i = 0; i < times; ++i) failures += writeFileAtomically(target, text) ? 0 : 1;
    _exit(std::min(failures, 100));
}

int exitCodeOf(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST_F(AtomicFileOnDisk, ReplacesTheTargetAndLeavesNothingBesideIt) {
    ASSERT_TRUE(writeFileAtomically(target, "first, the longer one"));
    ASSERT_TRUE(writeFileAtomically(target, "second"));
    EXPECT_EQ(fileBytes(target), "second");
    EXPECT_EQ(namesIn(folder), Names{"searches.json"});
}

TEST_F(AtomicFileOnDisk, TwoProcessesSavingIntoOneFolderAllSucceedAndTheFileIsAlwaysWhole) {
    const std::string mine(64 * 1024, 'a');
    const std::string theirs(48 * 1024, 'b');
    ASSERT_TRUE(writeFileAtomically(target, mine));
    const pid_t first = startWriter(target, mine, 100);
    const pid_t second = startWriter(target, theirs, 100);
    int torn = 0;
    for (int read = 0; read < 300; ++read) {
        const std::string seen = fileBytes(target);
        torn += seen == mine || seen == theirs ? 0 : 1;
    }
    EXPECT_EQ(exitCodeOf(first), 0) << "saves of the first process failed";
    EXPECT_EQ(exitCodeOf(second), 0) << "saves of the second process failed";
    EXPECT_EQ(torn, 0) << "reads that found neither text whole";
    const std::string last = fileBytes(target);
    EXPECT_TRUE(last == mine || last == theirs);
    EXPECT_EQ(namesIn(folder), Names{"searches.json"});
}

TEST_F(AtomicFileOnDisk, ReplaceThatFailsLeavesTheTargetAndNoTemporary) {
    fs::create_directories(target / "inside");  // a folder with something in it
    EXPECT_FALSE(writeFileAtomically(target, "text"));
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    EXPECT_EQ(namesIn(folder), Names{"searches.json"});
}

TEST_F(AtomicFileOnDisk, TargetInAFolderThatIsNotThereFailsAndCreatesNothing) {
    EXPECT_FALSE(writeFileAtomically(folder / "missing" / "searches.json", "text"));
    EXPECT_EQ(namesIn(folder), Names{});
}

TEST_F(AtomicFileOnDisk, FlushingNeedsAFileThatIsThere) {
    EXPECT_FALSE(flushToDisk(target));
    ASSERT_TRUE(writeFileAtomically(target, "text"));
    EXPECT_TRUE(flushToDisk(target));
    EXPECT_EQ(fileBytes(target), "text");
}

}  // namespace
}  // namespace tarnwick::testing
