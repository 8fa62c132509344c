#include "core/results/result_lines.hpp"

#include <algorithm>
#include <string_view>

#include "core/search/document_encoding.hpp"
#include "core/search/text_arena.hpp"
#include "host/editor_messages.hpp"

namespace tarnwick {

namespace {

// More than the rows a list shows at once on any screen.
constexpr std::size_t kKeptLines = 256;

// CR and LF are single bytes that no UTF-8 sequence and no double-byte character of the
// editor's code pages contains: stripping them before decoding gives the same text as
// stripping U+000D and U+000A after it.
std::string_view withoutLineEnd(std::string_view bytes) {
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.remove_suffix(1);
    return bytes;
}

}  // namespace

ResultLines::Place ResultLines::read(const EditorView& view, std::int32_t line,
                                     std::int64_t position) {
    const Line& found = kept(view, line);
    const auto offset = static_cast<std::size_t>(std::clamp<std::int64_t>(
        position - found.start, 0, static_cast<std::int64_t>(found.bytes.size())));
    // A line whose every byte is one unit has its columns at its bytes; otherwise the
    // bytes before the match are decoded on their own, as they start the line.
    if (found.text.size() == found.bytes.size())
        return {found.text, static_cast<std::int32_t>(offset)};
    const std::size_t column =
        DocumentEncoding(found.codePage)
            .unitCount(std::string_view(found.bytes).substr(0, offset), units_);
    return {found.text, static_cast<std::int32_t>(column)};
}

const ResultLines::Line& ResultLines::kept(const EditorView& view, std::int32_t line) {
    const auto found = std::find_if(lines_.begin(), lines_.end(),
                                    [line](const Line& kept) { return kept.number == line; });
    if (found != lines_.end()) return *found;
    if (lines_.size() >= kKeptLines) lines_.erase(lines_.begin());
    return lines_.emplace_back(fetch(view, line));
}

// The line's length as the editor gave it, taken in 32 bits, of a buffer one byte longer
// and zero-filled: the editor writes no terminating zero. A negative length is an empty
// line whatever its low 32 bits say.
ResultLines::Line ResultLines::fetch(const EditorView& view, std::int32_t line) {
    const DocumentEncoding encoding = DocumentEncoding::of(view);
    const std::intptr_t length = view.send(SCI_LINELENGTH, static_cast<std::uintptr_t>(line));
    std::string buffer(static_cast<std::size_t>(std::max<std::intptr_t>(length, 0)) + 1, '\0');
    view.send(SCI_GETLINE, static_cast<std::uintptr_t>(line),
              reinterpret_cast<std::intptr_t>(buffer.data()));
    Line read;
    read.number = line;
    read.codePage = encoding.codePage();
    read.start = view.send(SCI_POSITIONFROMLINE, static_cast<std::uintptr_t>(line));
    const auto decoded = static_cast<std::int32_t>(length);
    if (length > 0 && decoded > 0)
        read.bytes =
            withoutLineEnd(std::string_view(buffer.data(), static_cast<std::size_t>(decoded)));
    TextArena texts(2 * read.bytes.size() + 16);
    read.text = encoding.decode(read.bytes, texts, units_);
    return read;
}

}  // namespace tarnwick
