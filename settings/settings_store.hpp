#pragma once

#include <string>

#include "core/search_list.hpp"
#include "host/window_handle.hpp"

namespace tarnwick {

// Keeps the search list in `searches.json`, in a folder "Tarnwick" under the host's plugin
// configuration directory. Failures are silent: a file that cannot be read leaves the
// list as it was, a file that cannot be written stays as it was.
class SettingsStore {
public:
    // Asks the host for its plugin configuration directory, builds both paths and creates
    // the folder together with any missing parents.
    void initPaths(WindowHandle host);

    void load(SearchList& list);
    void save(const SearchList& list);

    const std::u16string& folderPath() const { return folderPath_; }
    const std::u16string& filePath() const { return filePath_; }
    std::u16string backupPath() const { return filePath_ + u".bak"; }

private:
    void createFolder() const;
    bool keepUnreadFile() const;

    std::u16string folderPath_;
    std::u16string filePath_;
    // Set when the last load did not take the whole file, or could not open it: the first
    // save must not overwrite what the user may still want from it before it is kept aside.
    bool backupBeforeSave_ = false;
};

}  // namespace tarnwick
