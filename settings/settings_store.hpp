#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/list/search_list.hpp"
#include "host/window_handle.hpp"

namespace tarnwick {

// Keeps the search list in `searches.json`, in a folder "Tarnwick" under the host's plugin
// configuration directory.
//
// Several instances of the host may share the file. Every read-change-write of the list
// runs under a lock that all of them take (`searches.json.lock`), so a change is always
// made to the newest list. The store remembers what the file held when it last read or
// wrote it: a list another instance saved meanwhile is loaded before a change rather than
// overwritten by it. A change whose save failed is not forgotten: it stays in the list as
// a pending change, is made again to every newer list loaded, and is written by the next
// update that can write.
class SettingsStore {
public:
    // Asks the host for its plugin configuration directory, builds both paths and creates
    // the folder together with any missing parents.
    void initPaths(WindowHandle host);

    // Fills the list from the file, by the rules of `readSearchList`; a file that is
    // missing or cannot be read leaves it as it is.
    void load(SearchList& list);

    struct Update {
        bool reloaded = false;  // the list was loaded again: another instance saved it
        bool changed = false;   // `change` changed the list
    };
    // Under the lock: when the file no longer holds what this store last read or wrote,
    // loads its list with this store's pending changes made to it; then makes `change`
    // (which returns false when it changed nothing), and writes the list when it changed or
    // still holds pending changes. A file that cannot be read counts as changed: nothing is
    // written over it. Without the lock, the list is loaded again but not written. A file
    // that was not read whole is kept aside first under a backup name of its own. Where the
    // write fails or is not made, the changes stay pending and `saveProblem` says why.
    Update update(SearchList& list, const std::function<bool(SearchList&)>& change);

    // For the host's shutdown and the unload: `update` with no change, which also writes
    // the list where the file, unchanged since this store last saw it, does not hold it
    // as the list is written (missing, or written by another hand).
    void saveAtShutdown(SearchList& list);

    // The file's list replaced by `list`, by the rules of `update`.
    void save(const SearchList& list);

    // Why the list could not be saved, in the system's words, while changes are pending
    // because of it; none when the file holds the list.
    const std::optional<std::u16string>& saveProblem() const { return saveProblem_; }

    const std::u16string& folderPath() const { return folderPath_; }
    const std::u16string& filePath() const { return filePath_; }
    std::u16string lockPath() const { return filePath_ + u".lock"; }
    // Backups never replace one another: the first is `searches.json.bak`, the n-th
    // `searches.json.<n>.bak`.
    std::u16string backupPath(int number = 1) const;

private:
    // What a file held: the size and a hash of its text as the text-mode streams read and
    // write it. Every byte counts, so a rewrite of the same size within the file system's
    // time resolution still differs.
    struct Contents {
        std::size_t size = 0;
        std::uint64_t hash = 0;
        bool operator==(const Contents&) const = default;
    };
    struct FileText;

    // `update`, which with `rewrite` also writes a list the unchanged file does not hold.
    Update updateUnderLock(SearchList& list, const std::function<bool(SearchList&)>& change,
                           bool rewrite);
    FileText readFile() const;
    // Loads the file's list when the file holds something else than was last seen, with
    // the pending changes made to it. True when it did.
    bool catchUp(const FileText& file, SearchList& list);
    void write(const SearchList& list);
    bool keepFileAside();
    void failed(std::u16string why);
    void createFolder() const;

    std::u16string folderPath_;
    std::u16string filePath_;
    // What the file held when this store last read or wrote it; none for no file. Whether
    // that text was read whole, and its list: the list before this store's pending changes.
    std::optional<Contents> lastSeen_;
    bool lastSeenWhole_ = true;
    SearchList saved_;
    // The list holds changes the file does not: a save failed or could not be made.
    bool pending_ = false;
    std::optional<std::u16string> saveProblem_;
};

}  // namespace tarnwick
