#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/list/search_list.hpp"
#include "host/window_handle.hpp"

namespace tarnwick {

// Keeps the search list in `searches.json`, in a folder "Tarnwick" under the host's plugin
// configuration directory. Failures are silent: a file that cannot be read leaves the
// list as it was, a file that cannot be written stays as it was.
//
// Several instances of the host may share the file. The store remembers what the file
// held when it last read or wrote it, so that a list another instance saved meanwhile is
// loaded before a change rather than overwritten by it.
class SettingsStore {
public:
    // Asks the host for its plugin configuration directory, builds both paths and creates
    // the folder together with any missing parents.
    void initPaths(WindowHandle host);

    void load(SearchList& list);
    void save(const SearchList& list);

    // Loads the list again, by the rules of `load`, when the file no longer holds what this
    // store last read or wrote. A file that is there but cannot be opened counts as
    // unchanged, and is kept aside before a save replaces it. True when the list was
    // loaded again.
    bool reloadIfChanged(SearchList& list);

    // For the host's shutdown: writes the list only where that loses nothing and changes
    // something: not over a list another instance saved since this store last read or
    // wrote the file, not over a file it cannot open, and not when the file holds the list
    // already.
    void saveIfDifferent(const SearchList& list);

    const std::u16string& folderPath() const { return folderPath_; }
    const std::u16string& filePath() const { return filePath_; }
    std::u16string backupPath() const { return filePath_ + u".bak"; }

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

    FileText readFile() const;
    void take(const FileText& file, SearchList& list);
    void write(const std::string& text);
    void createFolder() const;
    bool keepUnreadFile() const;

    std::u16string folderPath_;
    std::u16string filePath_;
    // Set when the last load did not take the whole file, or could not open it: the first
    // save must not overwrite what the user may still want from it before it is kept aside.
    bool backupBeforeSave_ = false;
    // What the file held when this store last read or wrote it; none for no file.
    std::optional<Contents> lastSeen_;
};

}  // namespace tarnwick
