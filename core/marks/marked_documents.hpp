#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tarnwick {

// One open document: the editor's pointer to it, which is what a view shows, and the
// host's buffer id, which is what its tabs and notifications name. A buffer id of 0 means
// the host gave none.
struct DocumentRef {
    std::intptr_t pointer = 0;
    std::uintptr_t bufferId = 0;

    bool operator==(const DocumentRef&) const = default;
};

// Which documents carry this plugin's marks: the one the current results were found in,
// and those whose marks no longer describe the results (a later search elsewhere, a Clear
// while another document was shown), which are cleared the next time they are shown.
// It only keeps the books; the caller sends the messages.
class MarkedDocuments {
public:
    enum class Action { nothing, paint, clear };

    // A search in `document` replaced the results and repainted that document; `found`
    // tells whether the new results hold any match.
    void searched(const DocumentRef& document, bool found);

    // Clear emptied the results and cleared the document `shownPointer` (0: none).
    void cleared(std::intptr_t shownPointer);

    // The host is closing the buffer: nothing is ever painted into a later document that
    // happens to get its pointer.
    void closed(std::uintptr_t bufferId);

    // What the document `shownPointer`, now shown, needs. A clear is booked as done.
    Action shown(std::intptr_t shownPointer);

    // The document the results belong to, while there are results and it is open.
    const std::optional<DocumentRef>& results() const { return results_; }
    bool anyStale() const { return !stale_.empty(); }

private:
    void markStale(const DocumentRef& document);
    void forgetStale(std::intptr_t pointer);

    std::optional<DocumentRef> results_;
    std::vector<DocumentRef> stale_;
};

}  // namespace tarnwick
