#include "core/line_reader.hpp"

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

SharedText LineReader::read(std::int32_t line) {
    const std::string_view bytes = fetch(line);
    if (line == previousLine_ && bytes == std::string_view(previous_.data(), previousSize_))
        return previousText_;
    previousText_ = encoding_.decode(withoutLineEnd(bytes), texts_, units_);
    previousLine_ = line;
    previousSize_ = bytes.size();
    fetched_.swap(previous_);  // `bytes` looked into fetched_: it is not used again
    return previousText_;
}

// The bytes to decode: the line's length as the editor gave it, taken in 32 bits, of a
// buffer one byte longer and zero-filled. A negative length is an empty line whatever its
// low 32 bits say: the buffer holds only the zero then.
std::string_view LineReader::fetch(std::int32_t line) {
    const std::intptr_t length = view_.send(SCI_LINELENGTH, static_cast<std::uintptr_t>(line));
    fetched_.assign(static_cast<std::size_t>(std::max<std::intptr_t>(length, 0)) + 1, '\0');
    view_.send(SCI_GETLINE, static_cast<std::uintptr_t>(line),
               reinterpret_cast<std::intptr_t>(fetched_.data()));
    const auto decoded = static_cast<std::int32_t>(length);
    if (length <= 0 || decoded <= 0) return {};
    return std::string_view(fetched_.data(), static_cast<std::size_t>(decoded));
}

}  // namespace tarnwick
