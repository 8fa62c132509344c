#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::minihost {

// A file to open in the main view, in the order the command line names them.
struct FileToOpen {
    std::filesystem::path path;
    // The bytes are in the system's ANSI code page rather than UTF-8.
    bool ansi = false;
    // Watched for changes on disk (tail -f) from the start.
    bool monitored = false;

    bool operator==(const FileToOpen&) const = default;
};

// What minihost.exe was asked to do.
struct ProgramOptions {
    std::filesystem::path plugin;
    std::filesystem::path configDirectory;
    std::vector<FileToOpen> filesToOpen;
    bool showPanel = false;
    // Controls of the docked panel to click after start-up, in this order.
    std::vector<int> clicks;
    std::optional<std::filesystem::path> screenshot;
    // A file to which a line is appended every so often while the host runs.
    std::optional<std::filesystem::path> growLog;
    // The host in dark mode, as the editor with its dark theme on.
    bool dark = false;
    bool help = false;
};

// The options, or an error for the user when the command line is not understood.
struct ParsedOptions {
    std::optional<ProgramOptions> options;
    std::wstring error;
};

// Reads the arguments after the program's name. The plugin defaults to Tarnwick.dll and the
// configuration to the folder minihost-config, both in `programFolder`.
ParsedOptions parseProgramOptions(std::span<const std::wstring> arguments,
                                  const std::filesystem::path& programFolder);

std::wstring_view programUsage();

}  // namespace tarnwick::minihost
