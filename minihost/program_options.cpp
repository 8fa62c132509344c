#include "minihost/program_options.hpp"

#include <exception>
#include <string>

namespace tarnwick::minihost {

namespace {

// Takes the value that follows an option; an option given twice is an error rather than a
// silent choice of one of the two.
bool takePath(std::span<const std::wstring> arguments, std::size_t& index,
              std::optional<std::filesystem::path>& target, std::wstring& error) {
    const std::wstring& option = arguments[index];
    if (target) {
        error = option + L" is given twice";
        return false;
    }
    if (index + 1 >= arguments.size() || arguments[index + 1].empty()) {
        error = option + L" needs a path";
        return false;
    }
    target = arguments[++index];
    return true;
}

// Takes the file that follows --open, --ansi or --tail, which `file` says how to open;
// these may be given any number of times.
bool takeFile(std::span<const std::wstring> arguments, std::size_t& index, FileToOpen file,
              std::vector<FileToOpen>& files, std::wstring& error) {
    std::optional<std::filesystem::path> path;
    if (!takePath(arguments, index, path, error)) return false;
    file.path = std::move(*path);
    files.push_back(std::move(file));
    return true;
}

bool takeControlId(std::span<const std::wstring> arguments, std::size_t& index,
                   std::vector<int>& clicks, std::wstring& error) {
    const std::wstring& option = arguments[index];
    if (index + 1 >= arguments.size()) {
        error = option + L" needs a control id";
        return false;
    }
    const std::wstring& value = arguments[++index];
    std::size_t used = 0;
    int id = 0;
    try {
        id = std::stoi(value, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != value.size() || id <= 0 || id > 0xFFFF) {
        error = option + L" needs a control id, not " + value;
        return false;
    }
    clicks.push_back(id);
    return true;
}

}  // namespace

ParsedOptions parseProgramOptions(std::span<const std::wstring> arguments,
                                  const std::filesystem::path& programFolder) {
    ParsedOptions parsed;
    ProgramOptions options;
    std::optional<std::filesystem::path> plugin;
    std::optional<std::filesystem::path> config;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::wstring& argument = arguments[index];
        bool understood = true;
        if (argument == L"--plugin")
            understood = takePath(arguments, index, plugin, parsed.error);
        else if (argument == L"--config")
            understood = takePath(arguments, index, config, parsed.error);
        else if (argument == L"--open" || argument == L"--ansi" || argument == L"--tail")
            understood =
                takeFile(arguments, index, {{}, argument == L"--ansi", argument == L"--tail"},
                         options.filesToOpen, parsed.error);
        else if (argument == L"--grow-log")
            understood = takePath(arguments, index, options.growLog, parsed.error);
        else if (argument == L"--screenshot")
            understood = takePath(arguments, index, options.screenshot, parsed.error);
        else if (argument == L"--click")
            understood = takeControlId(arguments, index, options.clicks, parsed.error);
        else if (argument == L"--show-panel")
            options.showPanel = true;
        else if (argument == L"--dark")
            options.dark = true;
        else if (argument == L"--help" || argument == L"-h")
            options.help = true;
        else {
            parsed.error = L"unknown argument: " + argument;
            understood = false;
        }
        if (!understood) return parsed;
    }
    options.plugin = plugin.value_or(programFolder / L"Tarnwick.dll");
    options.configDirectory = config.value_or(programFolder / L"minihost-config");
    parsed.options = std::move(options);
    return parsed;
}

std::wstring_view programUsage() {
    return L"usage: minihost [--plugin DLL] [--config DIR] [--open FILE]... [--ansi FILE]...\n"
           L"                [--tail FILE]... [--grow-log FILE] [--show-panel] [--click ID]...\n"
           L"                [--screenshot OUT.png] [--dark]\n"
           L"  --plugin DLL          the plugin to load (default: Tarnwick.dll beside minihost)\n"
           L"  --config DIR          the plugins' configuration folder (default: minihost-config\n"
           L"                        beside minihost)\n"
           L"  --open FILE           open a UTF-8 file in a tab of the main view; the first\n"
           L"                        takes the place of the empty \"new 1\"; may be given more\n"
           L"                        than once\n"
           L"  --ansi FILE           the same for a file in the system's ANSI code page\n"
           L"  --tail FILE           open a UTF-8 file as --open does, with monitoring (tail -f)\n"
           L"                        on: changes on disk are reloaded as they come\n"
           L"  --grow-log FILE       while running, append to FILE a line every few tenths of a\n"
           L"                        second, its own lines in turn, so a tailed log grows\n"
           L"  --show-panel          run the plugin's first menu command after start-up\n"
           L"  --click ID            click the docked panel's control ID after start-up;\n"
           L"                        may be given more than once\n"
           L"  --screenshot OUT.png  after start-up, save a picture of the window in front (a\n"
           L"                        dialog the clicks opened, or the main window), then exit\n"
           L"  --dark                the host in dark mode: it tells the plugin so, hands out\n"
           L"                        its dark colours and themes its windows, its docked\n"
           L"                        panels and the dialogs the plugin asks it to\n";
}

}  // namespace tarnwick::minihost
