#include "minihost/document_tabs.hpp"

#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "minihost/scintilla_messages.hpp"

namespace tarnwick::minihost {

namespace {

constexpr wchar_t kUntitledPrefix[] = L"new ";

}  // namespace

DocumentTabs::DocumentTabs(HWND parent) : hiddenEditor_(parent) {
    ShowWindow(hiddenEditor_.window(), SW_HIDE);
    // The editor's reloads go through this window without telling anyone.
    hiddenEditor_.send(SCI_SETMODEVENTMASK, 0);
    for (auto& view : views_) view = std::make_unique<TabbedView>(parent);
    giveEmptyViewsABuffer();
}

BufferId DocumentTabs::replaceableBuffer(int view) const {
    const TabbedView& tabs = this->view(view);
    if (tabs.size() != 1) return 0;
    const BufferId id = tabs.shownBuffer();
    if (!buffers_.at(id).untitled() || !tabs.editor().isPristine()) return 0;
    return this->view(1 - view).find(id) ? 0 : id;
}

BufferId DocumentTabs::open(int view, const DocumentContent& content, BufferId replaced) {
    const Buffer& buffer = add(content);
    TabbedView& tabs = this->view(view);
    if (replaced == 0) {
        tabs.append(buffer);
    } else {
        tabs.replace(*tabs.find(replaced), buffer);
        buffers_.erase(replaced);
    }
    // The bytes go in through the view, which shows the new document now.
    tabs.editor().setText(content.bytes);
    return buffer.id;
}

bool DocumentTabs::clone(BufferId id, int view) {
    const auto found = buffers_.find(id);
    if (found == buffers_.end() || !isView(view) || this->view(view).find(id)) return false;
    this->view(view).append(found->second);
    reloadShownBuffers();
    return true;
}

bool DocumentTabs::show(int view, std::size_t index) {
    if (!isView(view) || index >= this->view(view).size()) return false;
    this->view(view).show(index);
    reloadShownBuffers();
    return true;
}

bool DocumentTabs::close(BufferId id) {
    const auto found = buffers_.find(id);
    if (found == buffers_.end()) return false;
    for (auto& view : views_)
        if (const auto index = view->find(id)) view->remove(*index);
    // A view may go on showing the document until it gets another: it holds a reference
    // of its own.
    buffers_.erase(found);
    giveEmptyViewsABuffer();
    reloadShownBuffers();
    return true;
}

Buffer* DocumentTabs::buffer(BufferId id) {
    const auto found = buffers_.find(id);
    return found == buffers_.end() ? nullptr : &found->second;
}

const Buffer* DocumentTabs::buffer(BufferId id) const {
    const auto found = buffers_.find(id);
    return found == buffers_.end() ? nullptr : &found->second;
}

bool DocumentTabs::isShown(BufferId id) const {
    return std::ranges::any_of(views_,
                               [id](const auto& view) { return view->shownBuffer() == id; });
}

std::vector<BufferId> DocumentTabs::monitoredBuffers() const {
    std::vector<BufferId> ids;
    for (const auto& [id, buffer] : buffers_)
        if (buffer.monitored) ids.push_back(id);
    return ids;
}

ReloadOutcome DocumentTabs::reload(BufferId id, std::string_view bytes) {
    Buffer* found = buffer(id);
    if (found == nullptr) return ReloadOutcome::notOpen;
    if (!isShown(id)) {
        found->pendingReload = std::string(bytes);
        return ReloadOutcome::deferred;
    }
    reloadNow(*found, bytes);
    return ReloadOutcome::reloaded;
}

void DocumentTabs::reloadNow(const Buffer& buffer, std::string_view bytes) {
    std::vector<std::pair<const ScintillaView*, ViewPlace>> detached;
    for (const auto& view : views_) {
        if (view->shownBuffer() != buffer.id) continue;
        detached.emplace_back(&view->editor(), view->editor().place());
        view->editor().detach();
    }
    hiddenEditor_.show(buffer.document.pointer(), buffer.codePage);
    hiddenEditor_.setText(bytes);
    hiddenEditor_.detach();
    for (const auto& [editor, place] : detached) {
        editor->show(buffer.document.pointer(), buffer.codePage);
        editor->restore(place);
    }
}

void DocumentTabs::reloadShownBuffers() {
    for (auto& [id, buffer] : buffers_) {
        if (!buffer.pendingReload || !isShown(id)) continue;
        const std::string bytes = std::move(*buffer.pendingReload);
        buffer.pendingReload.reset();
        reloadNow(buffer, bytes);
    }
}

bool DocumentTabs::isEditor(HWND window) const {
    return std::ranges::any_of(views_,
                               [window](const auto& view) { return view->window() == window; });
}

std::optional<TabPosition> DocumentTabs::position(BufferId id, int firstView) const {
    const int first = firstView == 1 ? 1 : 0;
    for (const int view : {first, 1 - first})
        if (const auto index = this->view(view).find(id)) return TabPosition{view, *index};
    return std::nullopt;
}

const Buffer& DocumentTabs::add(const DocumentContent& content) {
    const BufferId id = ++lastId_;
    Buffer buffer{id,
                  content.file ? content.file->path().filename().wstring() : freeUntitledName(),
                  content.file,
                  content.codePage,
                  ScintillaDocument(view(0).window()),
                  false,
                  std::nullopt};
    return buffers_.emplace(id, std::move(buffer)).first->second;
}

std::wstring DocumentTabs::freeUntitledName() const {
    std::set<std::wstring> taken;
    for (const auto& [id, buffer] : buffers_)
        if (buffer.untitled()) taken.insert(buffer.name);
    // The smallest number no open "new N" document has.
    for (int number = 1;; ++number) {
        std::wstring name = kUntitledPrefix + std::to_wstring(number);
        if (!taken.contains(name)) return name;
    }
}

void DocumentTabs::giveEmptyViewsABuffer() {
    for (auto& view : views_)
        if (view->size() == 0) view->append(add({}));
}

}  // namespace tarnwick::minihost
