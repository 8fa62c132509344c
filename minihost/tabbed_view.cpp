#include "minihost/tabbed_view.hpp"

#include <algorithm>
#include <iterator>

namespace tarnwick::minihost {

TabbedView::TabbedView(HWND parent) : editor_(parent), strip_(parent) {}

std::vector<BufferId> TabbedView::tabs() const {
    std::vector<BufferId> ids;
    ids.reserve(tabs_.size());
    for (const Buffer* buffer : tabs_) ids.push_back(buffer->id);
    return ids;
}

std::optional<std::size_t> TabbedView::find(BufferId id) const {
    const auto found =
        std::ranges::find_if(tabs_, [id](const Buffer* buffer) { return buffer->id == id; });
    if (found == tabs_.end()) return std::nullopt;
    return static_cast<std::size_t>(std::distance(tabs_.begin(), found));
}

BufferId TabbedView::shownBuffer() const {
    return tabs_.empty() ? 0 : tabs_[shown_]->id;
}

void TabbedView::append(const Buffer& buffer) {
    strip_.insert(tabs_.size(), buffer.name);
    tabs_.push_back(&buffer);
    show(tabs_.size() - 1);
}

void TabbedView::replace(std::size_t index, const Buffer& buffer) {
    strip_.rename(index, buffer.name);
    tabs_[index] = &buffer;
    show(index);
}

void TabbedView::show(std::size_t index) {
    shown_ = index;
    const Buffer& buffer = *tabs_[index];
    editor_.show(buffer.document.pointer(), buffer.codePage);
    strip_.select(index);
}

void TabbedView::remove(std::size_t index) {
    const bool wasShown = index == shown_;
    strip_.remove(index);
    tabs_.erase(tabs_.begin() + static_cast<std::ptrdiff_t>(index));
    if (index < shown_) --shown_;
    if (tabs_.empty()) {
        shown_ = 0;
        return;
    }
    // The tab that was on the right now sits at `index`; after the last tab, the left one.
    if (wasShown)
        show(std::min(index, tabs_.size() - 1));
    else
        strip_.select(shown_);
}

void TabbedView::place(const RECT& area) const {
    const int width = area.right - area.left;
    const int stripHeight = std::min<int>(strip_.height(), area.bottom - area.top);
    MoveWindow(strip_.window(), area.left, area.top, width, stripHeight, TRUE);
    MoveWindow(editor_.window(), area.left, area.top + stripHeight, width,
               area.bottom - area.top - stripHeight, TRUE);
}

}  // namespace tarnwick::minihost
