#include "minihost/scintilla_document.hpp"

#include <stdexcept>
#include <utility>

#include "minihost/scintilla_messages.hpp"

namespace tarnwick::minihost {

ScintillaDocument::ScintillaDocument(HWND editor)
    : editor_(editor), pointer_(SendMessageW(editor, SCI_CREATEDOCUMENT, 0, 0)) {
    // A new document starts with the one reference this object holds.
    if (pointer_ == 0) throw std::runtime_error("a Scintilla document could not be created");
}

ScintillaDocument::~ScintillaDocument() {
    if (pointer_ != 0) SendMessageW(editor_, SCI_RELEASEDOCUMENT, 0, pointer_);
}

ScintillaDocument::ScintillaDocument(ScintillaDocument&& other) noexcept
    : editor_(other.editor_), pointer_(std::exchange(other.pointer_, 0)) {}

}  // namespace tarnwick::minihost
