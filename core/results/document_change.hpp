#pragma once

#include <cstdint>
#include <optional>

namespace tarnwick {

// Text inserted into or deleted from a document, as the editor reports it once done.
struct DocumentChange {
    bool inserted = false;
    std::int64_t position = 0;    // where the text went in, or where the deleted text began
    std::int64_t length = 0;      // bytes, never 0
    std::int64_t linesAdded = 0;  // line ends inserted, or minus the line ends deleted

    // The first byte after the change that was there before it: the insertion point, or
    // the end of the deleted text.
    std::int64_t end() const { return inserted ? position : position + length; }
    std::int64_t delta() const { return inserted ? length : -length; }
    // Where a byte boundary is after the change: text inserted at or before it, or
    // deleted before it, moves it; one inside deleted text goes to where that text began.
    std::int64_t moved(std::int64_t boundary) const;

    bool operator==(const DocumentChange&) const = default;
};

// The change a modification notification reports: text inserted or deleted, by typing,
// by an undo or by a redo alike. Nothing for the rest (the announcement of a change still
// to come, which an undo sends with its own bit set; indicator and style changes) and
// nothing for a change of no bytes.
std::optional<DocumentChange> documentChangeOf(int modificationType, std::int64_t position,
                                               std::int64_t length, std::int64_t linesAdded);

}  // namespace tarnwick
