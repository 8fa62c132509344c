#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fake_window.hpp"

namespace tarnwick::testing {

// A substitute Scintilla view over a document in UTF-8 or another code page. It answers the
// target-search and line messages as Scintilla documents them, searching as FakeTargetSearch does,
// and records every message it receives.
class FakeEditor : public FakeWindow {
public:
    explicit FakeEditor(std::string document = {});

    void setDocument(std::string document);
    // Shows another document: its pointer, UTF-8 or code page bytes, and code page.
    void showDocument(std::intptr_t pointer, std::string document,
                      std::uint32_t documentCodePage = 65001);
    const std::string& document() const { return document_; }

    // False once SCI_GETLINE received a buffer that was not zero-filled: the editor writes
    // no terminating zero, so the caller must supply it.
    bool lineBuffersArrivedZeroed() const { return lineBuffersArrivedZeroed_; }

    std::uint32_t codePage = 65001;    // the answer to SCI_GETCODEPAGE
    std::intptr_t documentPointer;     // the answer to SCI_GETDOCPOINTER; at first its own
    std::intptr_t modEventMask = 0x4063;  // SCI_SETMODEVENTMASK's; at first the host's
    // SCI_GETGAPPOSITION's answer, cut to the document; the bytes stay in one block, so
    // what a reader makes of the two parts' pointers is checked all the same.
    std::intptr_t gapPosition = 0;
    std::intptr_t indicatorValue = 0;  // SCI_INDICATORVALUEAT's answer, anywhere

protected:
    std::intptr_t answer(SentMessage& recorded) override;

private:
    std::intptr_t searchInTarget(SentMessage& recorded);
    std::intptr_t lineFromPosition(std::intptr_t position) const;
    std::intptr_t positionFromLine(std::intptr_t line) const;
    std::intptr_t lineLength(std::intptr_t line) const;
    std::intptr_t getLine(SentMessage& recorded);

    std::string document_;
    std::vector<std::intptr_t> lineStarts_;
    std::intptr_t targetStart_ = 0;
    std::intptr_t targetEnd_ = 0;
    std::uintptr_t searchFlags_ = 0;
    std::intptr_t status_ = 0;
    bool lineBuffersArrivedZeroed_ = true;
};

}  // namespace tarnwick::testing
