#include "fake_editor.hpp"

#include <algorithm>
#include <cstring>

#include "fake_target_search.hpp"
#include "host/editor_messages.hpp"

namespace tarnwick::testing {

// Each editor shows a document of its own until a test shows another.
FakeEditor::FakeEditor(std::string document) : documentPointer(reinterpret_cast<std::intptr_t>(this)) {
    setDocument(std::move(document));
}

void FakeEditor::showDocument(std::intptr_t pointer, std::string document,
                              std::uint32_t documentCodePage) {
    documentPointer = pointer;
    codePage = documentCodePage;
    setDocument(std::move(document));
}

void FakeEditor::setDocument(std::string document) {
    document_ = std::move(document);
    lineStarts_.assign(1, 0);
    // A line ends after CR LF, after a lone LF or after a lone CR.
    for (std::size_t i = 0; i < document_.size(); ++i) {
        if (document_[i] == '\r' && i + 1 < document_.size() && document_[i + 1] == '\n') ++i;
        if (document_[i] == '\r' || document_[i] == '\n')
            lineStarts_.push_back(static_cast<std::intptr_t>(i + 1));
    }
}

std::intptr_t FakeEditor::answer(SentMessage& recorded) {
    const auto wParam = static_cast<std::intptr_t>(recorded.wParam);
    switch (recorded.message) {
        case SCI_GETLENGTH: return static_cast<std::intptr_t>(document_.size());
        case SCI_SETTARGETSTART: targetStart_ = wParam; return 0;
        case SCI_SETTARGETEND: targetEnd_ = wParam; return 0;
        case SCI_GETTARGETEND: return targetEnd_;
        case SCI_SETSEARCHFLAGS: searchFlags_ = recorded.wParam; return 0;
        case SCI_SETSTATUS: status_ = wParam; return 0;
        case SCI_GETSTATUS: return status_;
        case SCI_GETCHARAT:
            return wParam >= 0 && wParam < static_cast<std::intptr_t>(document_.size())
                       ? static_cast<signed char>(document_[static_cast<std::size_t>(wParam)])
                       : 0;
        case SCI_POSITIONAFTER:
            return FakeTargetSearch(document_, lineStarts_, codePage).positionAfter(wParam);
        case SCI_POSITIONBEFORE:
            return FakeTargetSearch(document_, lineStarts_, codePage).positionBefore(wParam);
        case SCI_SEARCHINTARGET: return searchInTarget(recorded);
        case SCI_LINEFROMPOSITION: return lineFromPosition(wParam);
        case SCI_POSITIONFROMLINE: return positionFromLine(wParam);
        case SCI_LINELENGTH: return lineLength(wParam);
        case SCI_GETLINE: return getLine(recorded);
        case SCI_GETCODEPAGE: return codePage;
        case SCI_GETDOCPOINTER: return documentPointer;
        case SCI_INDICATORVALUEAT: return indicatorValue;
        case SCI_GETGAPPOSITION:
            return std::clamp<std::intptr_t>(gapPosition, 0,
                                             static_cast<std::intptr_t>(document_.size()));
        case SCI_GETRANGEPOINTER:
            return reinterpret_cast<std::intptr_t>(document_.data()) +
                   std::clamp<std::intptr_t>(wParam, 0,
                                             static_cast<std::intptr_t>(document_.size()));
        case SCI_GETMODEVENTMASK: return modEventMask;
        case SCI_SETMODEVENTMASK: modEventMask = wParam; return 0;
        default: return 0;
    }
}

std::intptr_t FakeEditor::searchInTarget(SentMessage& recorded) {
    recorded.text.assign(reinterpret_cast<const char*>(recorded.lParam), recorded.wParam);
    recorded.lParam = 0;
    const FakeTargetSearch::Found found =
        FakeTargetSearch(document_, lineStarts_, codePage)
            .find(recorded.text, searchFlags_, targetStart_, targetEnd_, status_);
    if (found.start < 0) return -1;
    targetStart_ = found.start;
    targetEnd_ = found.end;
    return targetStart_;
}

std::intptr_t FakeEditor::lineFromPosition(std::intptr_t position) const {
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), position);
    return (after - lineStarts_.begin()) - 1;
}

// As Scintilla: the document's length past the last line, -1 before the first.
std::intptr_t FakeEditor::positionFromLine(std::intptr_t line) const {
    if (line < 0) return -1;
    if (line >= static_cast<std::intptr_t>(lineStarts_.size()))
        return static_cast<std::intptr_t>(document_.size());
    return lineStarts_[static_cast<std::size_t>(line)];
}

std::intptr_t FakeEditor::lineLength(std::intptr_t line) const {
    if (line < 0 || line >= static_cast<std::intptr_t>(lineStarts_.size())) return 0;
    const std::size_t next = static_cast<std::size_t>(line) + 1;
    const std::intptr_t end = next < lineStarts_.size()
                                  ? lineStarts_[next]
                                  : static_cast<std::intptr_t>(document_.size());
    return end - lineStarts_[static_cast<std::size_t>(line)];
}

std::intptr_t FakeEditor::getLine(SentMessage& recorded) {
    const auto line = static_cast<std::intptr_t>(recorded.wParam);
    const std::intptr_t length = lineLength(line);
    char* buffer = reinterpret_cast<char*>(recorded.lParam);
    recorded.lParam = 0;
    if (length == 0) return 0;
    if (std::any_of(buffer, buffer + length + 1, [](char c) { return c != '\0'; }))
        lineBuffersArrivedZeroed_ = false;
    std::memcpy(buffer, document_.data() + lineStarts_[static_cast<std::size_t>(line)],
                static_cast<std::size_t>(length));
    return length;
}

}  // namespace tarnwick::testing
