#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::bench {

// How the log's results follow changes of the log, in groups, each meant for a process of
// its own: "appended" (a reload that adds 1 MB at the end), "check" (the text check made on
// a tab switch), "typing" (the later search of one edited line), "burst" (edits that break
// 10,000 results at once) and "replaced" (a reload that changes the top, a Replace All).
std::vector<std::string> changeGroupNames();
// Runs one group; std::invalid_argument for a name that is none.
void runChangeGroup(const std::string& name);

// The groups, each given a folder of its own for the settings and the host.
void appendedFigures(const std::filesystem::path& folder);
void checkFigures(const std::filesystem::path& folder);
void typingFigures(const std::filesystem::path& folder);
void burstFigures(const std::filesystem::path& folder);
void replacedFigures(const std::filesystem::path& folder);

}  // namespace tarnwick::bench
