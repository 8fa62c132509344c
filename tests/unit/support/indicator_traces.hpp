#pragma once

// The messages the highlighting sends, as traces to compare with what a fake view got.

#include <cstdint>
#include <vector>

#include "core/list/search_entry.hpp"
#include "fake_window.hpp"
#include "host/editor_messages.hpp"

namespace tarnwick::testing {

using Trace = std::vector<SentMessage>;

inline void append(Trace& trace, const Trace& more) {
    trace.insert(trace.end(), more.begin(), more.end());
}

// All ten indicators from `base` cleared over the whole document.
inline Trace clearTrace(std::int32_t base, std::intptr_t documentLength) {
    Trace trace{{SCI_GETLENGTH, 0, 0, {}}};
    for (std::int32_t k = 0; k < 10; ++k) {
        append(trace, {{SCI_SETINDICATORCURRENT, static_cast<std::uintptr_t>(base + k), 0, {}},
                       {SCI_INDICATORCLEARRANGE, 0, documentLength, {}}});
    }
    return trace;
}

inline Trace styleTrace(std::int32_t indicator, Colorref color) {
    const auto i = static_cast<std::uintptr_t>(indicator);
    return {{SCI_INDICSETSTYLE, i, 7, {}},
            {SCI_INDICSETFORE, i, static_cast<std::intptr_t>(color), {}},
            {SCI_INDICSETALPHA, i, 80, {}},
            {SCI_INDICSETOUTLINEALPHA, i, 220, {}},
            {SCI_INDICSETUNDER, i, 1, {}}};
}

inline Trace fillTrace(std::int32_t indicator, std::int64_t position, std::int64_t length) {
    return {{SCI_SETINDICATORCURRENT, static_cast<std::uintptr_t>(indicator), 0, {}},
            {SCI_INDICATORFILLRANGE,
             static_cast<std::uintptr_t>(position),
             static_cast<std::intptr_t>(length),
             {}}};
}

// A view's modification events switched off before indicator work, and the whole view
// to be repainted...
inline Trace quietTrace() {
    return {{SCI_GETMODEVENTMASK, 0, 0, {}},
            {SCI_SETMODEVENTMASK, 0, 0, {}},
            {SCI_GETVIEWWS, 0, 0, {}},
            {SCI_SETVIEWWS, 0, 0, {}}};
}

// ...and back on as they were after it.
inline Trace restoredTrace(std::intptr_t mask = 0x4063) {
    return {{SCI_SETMODEVENTMASK, static_cast<std::uintptr_t>(mask), 0, {}}};
}

}  // namespace tarnwick::testing
