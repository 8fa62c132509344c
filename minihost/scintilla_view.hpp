#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "dialogs/unique_handle.hpp"

namespace tarnwick::minihost {

// Where a view was in its document: the first line on the screen and the selection.
struct ViewPlace {
    LRESULT firstVisibleLine;
    LRESULT anchor;
    LRESULT caret;
};

// One of the host's two editor views: a real Scintilla window, child of the main window,
// showing one document at a time, which notifies the changes the editor's views notify.
class ScintillaView {
public:
    // Throws std::runtime_error when the window cannot be created.
    explicit ScintillaView(HWND parent);

    HWND window() const { return window_.get(); }
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Shows `document` in `codePage`. The view takes a reference of its own and lets go
    // of the one to the document it showed so far.
    void show(LPARAM document, UINT codePage) const;
    // Lets go of the document shown; until shown another, the view holds an empty one.
    void detach() const;

    ViewPlace place() const;
    // Goes back to `place` as far as the document's text now reaches.
    void restore(const ViewPlace& place) const;

    // Replaces the text of the document shown; zero bytes are kept.
    void setText(std::string_view bytes) const;

    // True when the document shown holds nothing and has no change since it was loaded.
    bool isPristine() const;

private:
    WindowOwner window_;
};

}  // namespace tarnwick::minihost
