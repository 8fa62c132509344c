#pragma once

#include <windows.h>

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "document_shapes.hpp"
#include "minihost/mini_host.hpp"

namespace tarnwick::bench {

// The hooked minihost with the plugin's panel open, the log in the main view and another
// document in the second. The changes of the log are timed twice: with the plugin's
// results those of the log, and with them those of the other document, where the plugin
// has nothing to follow and what remains is the host's own work.
class LogInHost {
public:
    LogInHost(const std::filesystem::path& settingsFolder, const DocumentShape& log,
              std::string_view other);

    minihost::MiniHost& host() { return host_; }
    HWND logView() const { return host_.mainView(); }
    HWND panel() const { return panel_; }
    minihost::BufferId log() const { return log_; }

    // A Search in the log: the plugin follows it.
    void holdLogResults();
    // A Search in the other document; the log's view made current again, as it is the
    // one the host works in. Returns how long the Search command took.
    double holdOtherResults();
    // The log's text put back as the host reloads it, with the plugin's work it causes.
    void reloadLog(std::string_view text);
    // The rows of the results list.
    std::size_t listedResults() const;

private:
    minihost::MiniHost host_;
    HWND panel_;
    minihost::BufferId log_;
};

}  // namespace tarnwick::bench
