#pragma once

#include <istream>
#include <string>

#include "core/list/search_list.hpp"

namespace tarnwick {

// Reads the settings file's JSON into the list. A text that does not parse leaves the
// list untouched; otherwise the list is emptied first and filled with the entries read,
// stopping at the first bad element. Returns true only when the whole file was taken:
// it parsed, its top level is an object with an "entries" array, and no element was bad.
bool readSearchList(std::istream& in, SearchList& list);

// The file's text: a two-space pretty print with keys in byte order, raw UTF-8 and no
// final line break. Line breaks are '\n'; a text-mode stream writes the platform's own.
std::string writeSearchList(const SearchList& list);

}  // namespace tarnwick
