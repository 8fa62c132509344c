#include "core/search/line_reader.hpp"

#include <algorithm>
#include <string_view>

#include "host/editor_messages.hpp"

namespace tarnwick {

namespace {

// CR and LF are single bytes that no UTF-8 sequence and no double-byte character of the
// editor's code pages contains: stripping them before decoding gives the same text as
// stripping U+000D and U+000A after it.
std::string_view withoutLineEnd(std::string_view bytes) {
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.remove_suffix(1);
    return bytes;
}

}  // namespace

LineReader::Place LineReader::read(std::int32_t line, std::intptr_t matchStart) {
    if (!fetched_ || line != line_) fetch(line);
    return {text_, columnOf(matchStart)};
}

// The line's length as the editor gave it, taken in 32 bits, of a buffer one byte longer
// and zero-filled. A negative length is an empty line whatever its low 32 bits say: the
// buffer holds only the zero then.
void LineReader::fetch(std::int32_t line) {
    const std::intptr_t length = view_.send(SCI_LINELENGTH, static_cast<std::uintptr_t>(line));
    buffer_.assign(static_cast<std::size_t>(std::max<std::intptr_t>(length, 0)) + 1, '\0');
    view_.send(SCI_GETLINE, static_cast<std::uintptr_t>(line),
               reinterpret_cast<std::intptr_t>(buffer_.data()));
    lineStart_ = view_.send(SCI_POSITIONFROMLINE, static_cast<std::uintptr_t>(line));
    const auto decoded = static_cast<std::int32_t>(length);
    content_ =
        length <= 0 || decoded <= 0
            ? std::string_view()
            : withoutLineEnd(std::string_view(buffer_.data(), static_cast<std::size_t>(decoded)));
    text_ = encoding_.decode(content_, texts_, units_);
    fetched_ = true;
    line_ = line;
    bytesBefore_ = 0;
    unitsBefore_ = 0;
}

// A line whose every byte is one unit has its columns at its bytes. Otherwise the bytes
// since the previous match are decoded on their own: both places are starts of characters,
// so they decode as they do inside the whole line.
std::int32_t LineReader::columnOf(std::intptr_t matchStart) {
    const std::intptr_t offset = std::clamp<std::intptr_t>(
        matchStart - lineStart_, 0, static_cast<std::intptr_t>(content_.size()));
    const auto bytes = static_cast<std::size_t>(offset);
    if (text_.size() == content_.size()) return static_cast<std::int32_t>(bytes);
    if (bytes < bytesBefore_) bytesBefore_ = unitsBefore_ = 0;  // only from an unruly editor
    unitsBefore_ +=
        encoding_.unitCount(content_.substr(bytesBefore_, bytes - bytesBefore_), units_);
    bytesBefore_ = bytes;
    return static_cast<std::int32_t>(unitsBefore_);
}

}  // namespace tarnwick
