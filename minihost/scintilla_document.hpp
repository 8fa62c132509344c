#pragma once

#include <windows.h>

namespace tarnwick::minihost {

// One counted reference to a Scintilla document, taken at creation and given back on
// destruction. Documents outlive any one view: each view that shows one holds a reference
// of its own, so the document goes when the last holder lets go.
class ScintillaDocument {
public:
    // Creates a document through `editor`, a Scintilla window that must outlive this
    // object. Throws std::runtime_error when Scintilla cannot create one.
    explicit ScintillaDocument(HWND editor);
    ~ScintillaDocument();
    ScintillaDocument(ScintillaDocument&& other) noexcept;
    ScintillaDocument& operator=(ScintillaDocument&&) = delete;
    ScintillaDocument(const ScintillaDocument&) = delete;
    ScintillaDocument& operator=(const ScintillaDocument&) = delete;

    // What SCI_GETDOCPOINTER and SCI_SETDOCPOINTER take.
    LPARAM pointer() const { return pointer_; }

private:
    HWND editor_;
    LPARAM pointer_;
};

}  // namespace tarnwick::minihost
