// The results belong to the document they were found in: its marks come back when it is
// shown again, no other document gets them, stale marks go, and a jump brings the
// document forward before it selects anything.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/marks/indicator_block.hpp"
#include "core/marks/marked_documents.hpp"
#include "panel/results/match_navigation.hpp"
#include "fake_editor.hpp"
#include "fake_host.hpp"
#include "host/host_messages.hpp"
#include "indicator_traces.hpp"

namespace tarnwick::testing {
namespace {

const DocumentRef kDocumentA{0xA00, 11};
const DocumentRef kDocumentB{0xB00, 12};
const DocumentRef kDocumentC{0xC00, 13};

const Trace kDocumentQuery{{SCI_GETDOCPOINTER, 0, 0, {}}};

class ResultsFollowTheirDocument : public ::testing::Test {
protected:
    ResultsFollowTheirDocument() {
        list.add(u"abc");
        host.currentView = 0;
        mainView.documentPointer = kDocumentA.pointer;
    }

    NppData handles() { return {host.handle(), mainView.handle(), secondView.handle()}; }

    // The host shows `document` in the current view and tells the plugin.
    void activate(const DocumentRef& document, FakeEditor& view) {
        view.documentPointer = document.pointer;
        host.forgetMessages();
        mainView.forgetMessages();
        secondView.forgetMessages();
        reapplyHighlights(handles(), list, matches, IndicatorBlock{}, marks);
    }

    // With the view's modification events off around the work; the first match's mark is
    // looked at first, and is found gone.
    Trace painted(std::intptr_t documentLength) const {
        Trace trace = kDocumentQuery;
        append(trace, quietTrace());
        trace.push_back({SCI_INDICATORVALUEAT, 9, 0, {}});
        append(trace, clearTrace(9, documentLength));
        append(trace, styleTrace(9, list[0].color));
        append(trace, fillTrace(9, 0, 3));
        append(trace, restoredTrace());
        return trace;
    }

    Trace cleared(std::intptr_t documentLength) const {
        Trace trace = kDocumentQuery;
        append(trace, quietTrace());
        append(trace, clearTrace(9, documentLength));
        append(trace, restoredTrace());
        return trace;
    }

    // The host's other view, asked what it shows, is quiet too while it shows the document.
    static Trace otherViewShowing(bool sameDocument) {
        Trace trace = kDocumentQuery;
        if (sameDocument) {
            append(trace, quietTrace());
            append(trace, restoredTrace());
        }
        return trace;
    }

    FakeHost host;
    FakeEditor mainView{"abc def"};
    FakeEditor secondView{"abcdef"};
    SearchList list;
    MatchList matches{SearchMatch{0, 3, 0, 0}};
    MarkedDocuments marks;
};

TEST_F(ResultsFollowTheirDocument, OnlyTheSearchedDocumentIsPaintedInWhicheverViewShowsIt) {
    marks.searched(kDocumentA, true);

    activate(kDocumentB, mainView);
    EXPECT_EQ(host.messages(), Trace({{NPPM_GETCURRENTSCINTILLA, 0, 0, "-1"}}));
    EXPECT_EQ(mainView.messages(), kDocumentQuery);

    activate(kDocumentA, mainView);
    EXPECT_EQ(mainView.messages(), painted(7));
    EXPECT_EQ(secondView.messages(), otherViewShowing(false));

    // The same document in the second view gets the indicator looks there too, and the
    // main view, showing it as well, notifies nothing meanwhile.
    host.currentView = 1;
    activate(kDocumentA, secondView);
    EXPECT_EQ(secondView.messages(), painted(6));
    EXPECT_EQ(mainView.messages(), otherViewShowing(true));
    EXPECT_EQ(mainView.modEventMask, 0x4063);

    // Marks stay with their document: where they are still there, only the looks are set.
    secondView.indicatorValue = 1;
    activate(kDocumentA, secondView);
    Trace styled = kDocumentQuery;
    append(styled, quietTrace());
    styled.push_back({SCI_INDICATORVALUEAT, 9, 0, {}});
    append(styled, styleTrace(9, list[0].color));
    append(styled, restoredTrace());
    EXPECT_EQ(secondView.messages(), styled);
}

// An editor whose fill fails midway: the views get their own masks back all the same.
class FailingFillEditor : public FakeEditor {
public:
    using FakeEditor::FakeEditor;

protected:
    std::intptr_t answer(SentMessage& recorded) override {
        if (recorded.message == SCI_INDICATORFILLRANGE) throw std::runtime_error("fill failed");
        return FakeEditor::answer(recorded);
    }
};

TEST_F(ResultsFollowTheirDocument, AFillThatFailsMidwayLeavesEveryViewItsOwnMask) {
    FailingFillEditor failing("abc def");
    failing.documentPointer = kDocumentA.pointer;
    failing.modEventMask = 0x1234;
    secondView.documentPointer = kDocumentA.pointer;
    secondView.modEventMask = 0x1;
    marks.searched(kDocumentA, true);
    EXPECT_THROW(reapplyHighlights({host.handle(), failing.handle(), secondView.handle()}, list,
                                   matches, IndicatorBlock{}, marks),
                 std::runtime_error);
    EXPECT_EQ(failing.modEventMask, 0x1234);
    EXPECT_EQ(secondView.modEventMask, 0x1);
    EXPECT_EQ(Trace(failing.messages().end() - 1, failing.messages().end()), restoredTrace(0x1234));
    Trace second = kDocumentQuery;
    append(second, quietTrace());
    append(second, restoredTrace(0x1));
    EXPECT_EQ(secondView.messages(), second);
}

TEST_F(ResultsFollowTheirDocument, ALaterSearchElsewhereLeavesMarksThatAreClearedOnce) {
    marks.searched(kDocumentA, true);
    marks.searched(kDocumentB, true);

    activate(kDocumentA, mainView);
    EXPECT_EQ(mainView.messages(), cleared(7));
    activate(kDocumentA, mainView);
    EXPECT_EQ(mainView.messages(), kDocumentQuery);
    activate(kDocumentB, mainView);
    EXPECT_EQ(mainView.messages(), painted(7));
}

TEST_F(ResultsFollowTheirDocument, SearchingTheSameDocumentAgainLeavesNothingStale) {
    marks.searched(kDocumentA, true);
    marks.searched(kDocumentA, false);
    matches.clear();
    activate(kDocumentA, mainView);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_TRUE(mainView.messages().empty());
}

TEST_F(ResultsFollowTheirDocument, ClearWhileAnotherDocumentIsShownClearsTheSearchedOneLater) {
    marks.searched(kDocumentA, true);
    marks.cleared(kDocumentC.pointer);
    matches.clear();

    // With no results, only a document that still carries marks is queried and cleared.
    activate(kDocumentA, mainView);
    EXPECT_EQ(mainView.messages(), cleared(7));
    activate(kDocumentB, mainView);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_TRUE(mainView.messages().empty());
}

TEST_F(ResultsFollowTheirDocument, ClearOfTheShownSearchedDocumentLeavesNothingToDo) {
    marks.searched(kDocumentA, true);
    marks.searched(kDocumentB, true);  // A is stale
    marks.cleared(kDocumentA.pointer);  // shown and cleared while the results were B's
    matches.clear();
    activate(kDocumentB, mainView);
    EXPECT_EQ(mainView.messages(), cleared(7));
    activate(kDocumentA, mainView);
    EXPECT_TRUE(mainView.messages().empty());
}

TEST_F(ResultsFollowTheirDocument, AClosedDocumentIsForgottenEvenIfItsPointerComesBack) {
    marks.searched(kDocumentA, true);
    marks.searched(kDocumentB, true);  // A is stale
    marks.closed(kDocumentA.bufferId);
    marks.closed(kDocumentB.bufferId);
    EXPECT_FALSE(marks.results());
    EXPECT_FALSE(marks.anyStale());

    const DocumentRef reusingB{kDocumentB.pointer, 99};
    activate(reusingB, mainView);
    EXPECT_EQ(mainView.messages(), kDocumentQuery);
}

TEST_F(ResultsFollowTheirDocument, ABufferIdOfZeroNamesNoDocument) {
    marks.searched({kDocumentA.pointer, 0}, true);
    marks.closed(0);
    activate(kDocumentA, mainView);
    EXPECT_EQ(mainView.messages(), painted(7));
}

TEST_F(ResultsFollowTheirDocument, NothingIsSentWithoutResultsOrStaleMarksOrAView) {
    matches.clear();
    activate(kDocumentA, mainView);
    EXPECT_TRUE(host.messages().empty());
    EXPECT_TRUE(mainView.messages().empty());

    MatchList found = {SearchMatch{0, 3, 0, 0}};
    marks.searched(kDocumentA, true);
    reapplyHighlights({host.handle(), nullptr, nullptr}, list, found, IndicatorBlock{}, marks);
    EXPECT_TRUE(mainView.messages().empty());
}

class JumpToMatch : public ResultsFollowTheirDocument {
protected:
    const SearchMatch match{4, 3, 0, 0};
    const std::function<std::optional<SearchMatch>(WindowHandle)> shown = [this](WindowHandle) {
        return match;
    };
    const Trace selection{{SCI_ENSUREVISIBLEENFORCEPOLICY, 0, 0, {}},
                          {SCI_GOTOLINE, 0, 0, {}},
                          {SCI_SETSEL, 4, 7, {}}};
};

TEST_F(JumpToMatch, InTheShownDocumentSelectsWithoutAskingTheHostForTabs) {
    EXPECT_EQ(jumpToMatch(handles(), kDocumentA, shown), mainView.handle());
    EXPECT_EQ(host.messages(), Trace({{NPPM_GETCURRENTSCINTILLA, 0, 0, "-1"}}));
    Trace expected = kDocumentQuery;
    append(expected, selection);
    EXPECT_EQ(mainView.messages(), expected);
}

TEST_F(JumpToMatch, FromAnotherTabActivatesTheDocumentThenSelectsInTheViewShowingIt) {
    mainView.documentPointer = kDocumentB.pointer;
    host.tabPosition = (1 << 30) | 4;  // second view, fifth tab
    host.activateDocument = [&](std::uintptr_t, std::intptr_t) {
        secondView.documentPointer = kDocumentA.pointer;
    };
    EXPECT_EQ(jumpToMatch(handles(), kDocumentA, shown), secondView.handle());
    EXPECT_EQ(host.messages(), Trace({{NPPM_GETCURRENTSCINTILLA, 0, 0, "-1"},
                                      {NPPM_GETPOSFROMBUFFERID, 11, 0, {}},
                                      {NPPM_ACTIVATEDOC, 1, 4, {}}}));
    EXPECT_EQ(mainView.messages(), kDocumentQuery);
    Trace expected = kDocumentQuery;
    append(expected, selection);
    EXPECT_EQ(secondView.messages(), expected);
}

TEST_F(JumpToMatch, AskingFromTheSecondViewNamesItAsTheViewToLookInFirst) {
    host.currentView = 1;
    host.tabPosition = 2;  // main view, third tab
    host.activateDocument = [&](std::uintptr_t, std::intptr_t) {};
    jumpToMatch(handles(), kDocumentA, shown);
    EXPECT_EQ(host.messages()[1], (SentMessage{NPPM_GETPOSFROMBUFFERID, 11, 1, {}}));
    EXPECT_EQ(host.messages()[2], (SentMessage{NPPM_ACTIVATEDOC, 0, 2, {}}));
}

TEST_F(JumpToMatch, SelectsNothingWhenTheDocumentCannotBeBroughtForward) {
    mainView.documentPointer = kDocumentB.pointer;
    struct Case {
        const char* name;
        DocumentRef document;
        std::intptr_t tabPosition;
    };
    for (const Case& c : {Case{"closed", kDocumentA, -1},
                          Case{"no buffer id", {kDocumentA.pointer, 0}, 0},
                          Case{"view beyond the two", kDocumentA, std::intptr_t{2} << 30},
                          Case{"host did not switch", kDocumentA, 0}}) {
        SCOPED_TRACE(c.name);
        host.tabPosition = c.tabPosition;
        mainView.forgetMessages();
        secondView.forgetMessages();
        EXPECT_EQ(jumpToMatch(handles(), c.document, shown), nullptr);
        for (const FakeEditor* view : {&mainView, &secondView})
            for (const SentMessage& sent : view->messages()) EXPECT_NE(sent.message, SCI_SETSEL);
    }
}

}  // namespace
}  // namespace tarnwick::testing
