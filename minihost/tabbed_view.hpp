#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "minihost/buffer.hpp"
#include "minihost/scintilla_view.hpp"
#include "minihost/tab_strip.hpp"

namespace tarnwick::minihost {

// One editor view with its row of tabs: the ordered buffers it has open, the one it shows,
// and the tab control that names them. The buffers belong to the caller and must outlive
// their tabs here.
class TabbedView {
public:
    // Throws std::runtime_error when a window cannot be created.
    explicit TabbedView(HWND parent);

    HWND window() const { return editor_.window(); }
    HWND tabStrip() const { return strip_.window(); }
    const ScintillaView& editor() const { return editor_; }

    std::size_t size() const { return tabs_.size(); }
    std::vector<BufferId> tabs() const;
    std::optional<std::size_t> find(BufferId id) const;
    // The buffer of the tab shown; 0 while the view has no tab.
    BufferId shownBuffer() const;
    std::size_t shownIndex() const { return shown_; }
    // The tab the user last picked in the tab control, or -1.
    int selectedTab() const { return strip_.selected(); }

    // Adds a tab at the end and shows it.
    void append(const Buffer& buffer);
    // Puts `buffer` in the tab at `index` and shows it.
    void replace(std::size_t index, const Buffer& buffer);
    void show(std::size_t index);
    // Removes a tab. When it was the one shown, its right neighbour is shown, else its left.
    void remove(std::size_t index);

    // The tabs at the top of `area` (the parent's client coordinates), the editor below.
    void place(const RECT& area) const;

private:
    ScintillaView editor_;
    TabStrip strip_;
    std::vector<const Buffer*> tabs_;
    std::size_t shown_ = 0;
};

}  // namespace tarnwick::minihost
