#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "minihost/buffer.hpp"
#include "minihost/tabbed_view.hpp"

namespace tarnwick::minihost {

// What a new buffer holds: its bytes in their code page, and the file they came from (none
// for a "new N" document).
struct DocumentContent {
    std::string_view bytes;
    UINT codePage = kUtf8CodePage;
    std::optional<DiskFile> file;
};

// What a reload did: the text went in now, waits until a view shows the buffer, or the
// buffer is not open.
enum class ReloadOutcome { reloaded, deferred, notOpen };

// Where a tab is: the view (0 main, 1 second) and its index among the view's tabs.
struct TabPosition {
    int view;
    std::size_t index;
};

// The buffers open in the host and the two tabbed views that show them. A buffer may be
// shown in both views, sharing one document; a view never runs out of tabs, it gets an
// empty "new N" buffer instead. Telling the plugin is the caller's part.
class DocumentTabs {
public:
    static constexpr int kViewCount = 2;

    // Both views start with an empty UTF-8 "new N" buffer each. Throws std::runtime_error
    // when a window or a document cannot be created.
    explicit DocumentTabs(HWND parent);

    static bool isView(int index) { return index >= 0 && index < kViewCount; }
    // `index` must be a view.
    TabbedView& view(int index) const { return *views_[static_cast<std::size_t>(index)]; }
    bool isOpen(BufferId id) const { return buffers_.contains(id); }
    // The open buffer, or null.
    Buffer* buffer(BufferId id);
    const Buffer* buffer(BufferId id) const;
    // True when a view shows the buffer in its editor.
    bool isShown(BufferId id) const;
    std::vector<BufferId> monitoredBuffers() const;

    // The buffer in the only tab of `view` when a file opened there takes its place: an
    // untitled, empty, unmodified document shown nowhere else. 0 when there is none.
    BufferId replaceableBuffer(int view) const;
    // A new buffer, shown in `view`: in the tab of `replaced`, which replaceableBuffer
    // named and which is then closed, or when that is 0 in a new tab at the end. `view`
    // must be a view.
    BufferId open(int view, const DocumentContent& content, BufferId replaced = 0);
    // Shows an open buffer in a new tab at the end of `view`, unless that view has it.
    bool clone(BufferId id, int view);
    // Shows a tab; false for a view or an index that does not exist.
    bool show(int view, std::size_t index);
    // Removes every tab of the buffer and lets go of its document; a view left without
    // tabs gets a new empty buffer. False for a buffer that is not open.
    bool close(BufferId id);

    // Replaces the buffer's text with `bytes` as the editor reloads a file from disk: the
    // views let go of the document, a hidden editor whose modification events are off puts
    // the text into that same document, and the views take it back, each where it was as
    // far as the new text reaches. No window reports the change. A buffer no view shows is
    // reloaded when a view shows it next.
    ReloadOutcome reload(BufferId id, std::string_view bytes);

    // True for the views' editor windows. The hidden editor is not one: the editor tells
    // plugins nothing of what it does.
    bool isEditor(HWND window) const;

    // The buffer's tab in `firstView` if it has one there, else in the other view (for
    // any `firstView` but 1, the main view is searched first).
    std::optional<TabPosition> position(BufferId id, int firstView) const;

private:
    const Buffer& add(const DocumentContent& content);
    std::wstring freeUntitledName() const;
    void giveEmptyViewsABuffer();
    void reloadNow(const Buffer& buffer, std::string_view bytes);
    // Every change of what the views show ends here: a shown buffer's waiting reload goes in.
    void reloadShownBuffers();

    std::array<std::unique_ptr<TabbedView>, kViewCount> views_;
    ScintillaView hiddenEditor_;
    // After the views, so the documents are given back while the windows still exist.
    std::map<BufferId, Buffer> buffers_;
    BufferId lastId_ = 0;
};

}  // namespace tarnwick::minihost
