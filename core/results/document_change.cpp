#include "core/results/document_change.hpp"

#include "host/editor_messages.hpp"

namespace tarnwick {

std::int64_t DocumentChange::moved(std::int64_t boundary) const {
    if (boundary < position) return boundary;
    if (boundary >= end()) return boundary + delta();
    return position;  // inside the deleted text
}

std::optional<DocumentChange> documentChangeOf(int modificationType, std::int64_t position,
                                               std::int64_t length, std::int64_t linesAdded) {
    const bool inserted = (modificationType & SC_MOD_INSERTTEXT) != 0;
    const bool deleted = (modificationType & SC_MOD_DELETETEXT) != 0;
    if (inserted == deleted || length <= 0 || position < 0) return std::nullopt;
    return DocumentChange{inserted, position, length, linesAdded};
}

}  // namespace tarnwick
