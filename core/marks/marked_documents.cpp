#include "core/marks/marked_documents.hpp"

#include <algorithm>

namespace tarnwick {

void MarkedDocuments::searched(const DocumentRef& document, bool found) {
    if (results_ && results_->pointer != document.pointer) markStale(*results_);
    forgetStale(document.pointer);  // the search cleared it before painting
    results_.reset();
    if (found) results_ = document;
}

void MarkedDocuments::cleared(std::intptr_t shownPointer) {
    if (results_ && results_->pointer != shownPointer) markStale(*results_);
    results_.reset();
    forgetStale(shownPointer);
}

void MarkedDocuments::closed(std::uintptr_t bufferId) {
    if (bufferId == 0) return;
    if (results_ && results_->bufferId == bufferId) results_.reset();
    std::erase_if(stale_, [&](const DocumentRef& stale) { return stale.bufferId == bufferId; });
}

MarkedDocuments::Action MarkedDocuments::shown(std::intptr_t shownPointer) {
    if (shownPointer == 0) return Action::nothing;
    if (results_ && results_->pointer == shownPointer) return Action::paint;
    const auto stale = std::find_if(stale_.begin(), stale_.end(), [&](const DocumentRef& document) {
        return document.pointer == shownPointer;
    });
    if (stale == stale_.end()) return Action::nothing;
    stale_.erase(stale);
    return Action::clear;
}

void MarkedDocuments::markStale(const DocumentRef& document) {
    forgetStale(document.pointer);
    stale_.push_back(document);
}

void MarkedDocuments::forgetStale(std::intptr_t pointer) {
    std::erase_if(stale_, [&](const DocumentRef& stale) { return stale.pointer == pointer; });
}

}  // namespace tarnwick
