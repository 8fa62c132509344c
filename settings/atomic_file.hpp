#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarnwick {

// Writes `text` through a text-mode stream to a temporary file beside `target`, flushes
// that file to the disk, and only then replaces `target` with it in one step: after a
// crash or a power cut `target` holds its old bytes or its new ones, never a file whose
// name reached the disk before its bytes. The temporary file's name is this save's own
// (the process id and a count of the process's saves), so processes saving into one
// folder never write into each other's. On any failure the old file stays exactly as it
// was and no temporary file is left behind, and `error`, if given, receives the system's
// error number of the step that failed.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view text,
                         int* error = nullptr);

// The platform's part, defined once for Windows and once for POSIX systems.

// Writes whatever the system still caches of `file` to the disk.
bool flushToDisk(const std::filesystem::path& file);

// Replaces `target` by `source` in one step, an existing `target` included, and has the
// rename itself reach the disk before it returns.
bool replaceFile(const std::filesystem::path& source, const std::filesystem::path& target);

// This process's id, which no other process running on the machine has.
unsigned long currentProcessId();

// The system's error number of the call that failed last on this thread (GetLastError on
// Windows, errno elsewhere), and the system's own words for an error number, without the
// final full stop and line break.
int lastSystemError();
std::u16string systemErrorText(int error);

}  // namespace tarnwick
