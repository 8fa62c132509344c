#include "minihost/replace_all.hpp"

#include "minihost/scintilla_messages.hpp"

namespace tarnwick::minihost {

namespace {

// Literal and case-insensitive: none of the search flags.
constexpr WPARAM kPlainSearch = 0;

LPARAM textOf(std::string_view text) {
    return reinterpret_cast<LPARAM>(text.data());
}

// Replaces the next match at or after `from`; the position after the replacement, or -1
// when there is no match left.
LRESULT replaceNext(const ScintillaView& view, LRESULT from, std::string_view find,
                    std::string_view replacement) {
    view.send(SCI_SETTARGETSTART, from);
    view.send(SCI_SETTARGETEND, view.send(SCI_GETLENGTH));
    if (view.send(SCI_SEARCHINTARGET, find.size(), textOf(find)) < 0) return -1;
    view.send(SCI_REPLACETARGET, replacement.size(), textOf(replacement));
    // The target now covers the replacement.
    return view.send(SCI_GETTARGETEND);
}

}  // namespace

int replaceAllInView(const ScintillaView& view, std::string_view find,
                     std::string_view replacement) {
    if (find.empty()) return 0;
    const LRESULT mask = view.send(SCI_GETMODEVENTMASK);
    view.send(SCI_SETMODEVENTMASK, 0);
    view.send(SCI_SETSEARCHFLAGS, kPlainSearch);
    view.send(SCI_BEGINUNDOACTION);
    int count = 0;
    for (LRESULT from = 0; (from = replaceNext(view, from, find, replacement)) >= 0;) ++count;
    view.send(SCI_ENDUNDOACTION);
    view.send(SCI_SETMODEVENTMASK, static_cast<WPARAM>(mask));
    return count;
}

}  // namespace tarnwick::minihost
