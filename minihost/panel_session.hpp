#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "minihost/panel_registration.hpp"

namespace tarnwick::minihost {

// Which docked panels were visible when the host last exited, per plugin module: the
// module's file name and the identifier the panel was registered with. Kept in a small
// text file of the host's own, one panel a line: the identifier, a tab, the module name
// in UTF-8.
class PanelSession {
public:
    // Reads the file; a missing file or an unreadable line remembers nothing.
    explicit PanelSession(std::filesystem::path file);

    // The identifiers remembered for a module; module names match without regard to case,
    // as file names do on Windows.
    std::vector<int> panelsOf(std::wstring_view moduleName) const;

    // Forgets what was remembered for the module and remembers instead those of
    // `visiblePanels` that the module registered under a non-empty name: a panel without a
    // name cannot be told apart from the module's others. Every other module's panels stay.
    void remember(std::wstring_view moduleName,
                  const std::vector<const PanelRegistration*>& visiblePanels);

    // Writes the file in one step, so an interrupted write keeps the previous one.
    bool save() const;

private:
    struct Entry {
        std::wstring moduleName;
        int dialogId;
    };

    std::filesystem::path file_;
    std::vector<Entry> entries_;
};

}  // namespace tarnwick::minihost
