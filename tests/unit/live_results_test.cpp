// The results of a search follow edits of their document: matches before a change stay,
// those after it move, those whose bytes changed go, and every survivor is what a new
// search of the edited document finds at its place.
#include "core/live_results.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/document_searcher.hpp"
#include "fake_editor.hpp"
#include "host/editor_messages.hpp"
#include "search_cases.hpp"

namespace tarnwick::testing {
namespace {

// Line 0 holds one "needle" with "le" inside it; line 1 a lone one and two adjacent ones.
constexpr char kDocument[] = "ab needle cd\nneedle needleneedle\nx";

struct EditCase {
    const char* name;
    bool inserted;
    std::int64_t position;
    std::string text;                   // inserted, or as many bytes deleted
    std::vector<std::int64_t> dropped;  // where the dropped matches were
    std::vector<MarkRange> marks;       // what must lose its mark afterwards
};

void PrintTo(const EditCase& edit, std::ostream* out) {
    *out << edit.name;
}

std::int64_t lineEnds(std::string_view text) {
    return std::count(text.begin(), text.end(), '\n');
}

class ResultsFollowEdits : public ::testing::TestWithParam<EditCase> {
protected:
    MatchList search(FakeEditor& view) const {
        return DocumentSearcher{}.searchAll(EditorView(view.handle()), list);
    }

    // Makes the edit in `view`'s document and tells `live` as the editor would.
    std::optional<ChangeEffect> edit(FakeEditor& view, const EditCase& change, int undoBits = 0) {
        std::string text = view.document();
        const auto at = static_cast<std::size_t>(change.position);
        std::int64_t lines = lineEnds(change.text);
        if (change.inserted) {
            text.insert(at, change.text);
        } else {
            lines = -lineEnds(std::string_view(text).substr(at, change.text.size()));
            text.erase(at, change.text.size());
        }
        view.setDocument(text);
        const int type = (change.inserted ? SC_MOD_INSERTTEXT : SC_MOD_DELETETEXT) | undoBits;
        return live.apply(
            EditorView(view.handle()), view.documentPointer,
            {type, change.position, static_cast<std::int64_t>(change.text.size()), lines}, matches);
    }

    void SetUp() override {
        matches = search(editor);
        live.follow(matches);
    }

    SearchList list = listOf({enabledEntry(u"needle"), enabledEntry(u"le")});
    FakeEditor editor{kDocument};
    MatchList matches;
    LiveResults live;
};

TEST_P(ResultsFollowEdits, SurvivorsAreWhereANewSearchFindsThemAndChangedOnesGo) {
    const EditCase& change = GetParam();
    const MatchList before = matches;
    const auto effect = edit(editor, change);
    ASSERT_TRUE(effect);
    refreshContent(EditorView(editor.handle()), matches, effect->changedLines);

    std::vector<std::int64_t> dropped;
    for (const std::size_t row : effect->droppedRows) dropped.push_back(before[row].position);
    EXPECT_EQ(dropped, change.dropped);
    EXPECT_EQ(matches.size(), before.size() - dropped.size());
    const MatchList fresh = search(editor);
    for (const SearchMatch& match : matches) {
        const auto same = std::find_if(fresh.begin(), fresh.end(), [&](const SearchMatch& found) {
            return found.position == match.position && found.entryIndex == match.entryIndex;
        });
        ASSERT_NE(same, fresh.end())
            << "no match of entry " << match.entryIndex << " at " << match.position;
        EXPECT_EQ(match.line, same->line) << match.position;
        EXPECT_EQ(match.length, same->length) << match.position;
        EXPECT_EQ(match.lineContent.str(), same->lineContent.str()) << match.position;
    }
    EXPECT_EQ(live.takeMarksToClear(), change.marks);
    EXPECT_FALSE(live.hasMarksToClear());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, ResultsFollowEdits,
    ::testing::Values(
        EditCase{"InsertBeforeAll", true, 0, "X", {}, {}},
        EditCase{"InsertAtAMatchsStartMovesIt", true, 3, "X", {}, {}},
        EditCase{"InsertAtAMatchsEndLeavesIt", true, 9, "X", {}, {}},
        EditCase{"InsertInsideDropsOnlyWhatItSplits", true, 5, "X", {3}, {{3, 10, 0}}},
        EditCase{"LineEndAddedAbove", true, 1, "\n\n", {}, {}},
        EditCase{"TextAppendedToAMatchedLine", true, 12, " more", {}, {}},
        EditCase{"DeleteOverlappingAStart", false, 2, "xx", {3}, {{2, 7, 0}}},
        EditCase{"DeleteOverlappingAnEndDropsBothEntries",
                 false,
                 8,
                 "xx",
                 {3, 7},
                 {{3, 8, 0}, {7, 8, 1}}},
        EditCase{"DeleteJustAfter", false, 9, "x", {}, {}},
        EditCase{"DeleteALineEndJoinsTheLines", false, 12, "x", {}, {}},
        EditCase{"InsertBetweenAdjacentMatchesOfOneEntry", true, 26, "Z", {}, {{26, 27, 0}}},
        EditCase{"DeleteEverything",
                 false,
                 0,
                 std::string(sizeof(kDocument) - 1, 'x'),
                 {3, 7, 13, 17, 20, 24, 26, 30},
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultsFollowEdits, OnlyTextChangesOfTheDocumentCountAndEachOnce) {
    const EditorView view(editor.handle());
    const std::intptr_t document = editor.documentPointer;
    editor.forgetMessages();  // the search's
    // Marks set, and the announcement of an undo to come: no message, nothing changed.
    for (const int type : {SC_MOD_CHANGEINDICATOR, SC_MOD_BEFOREDELETE | SC_PERFORMED_UNDO,
                           SC_PERFORMED_REDO, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT})
        EXPECT_FALSE(live.apply(view, document, {type, 0, 1, 0}, matches)) << type;
    EXPECT_TRUE(editor.messages().empty());

    // Another document is asked for its pointer, nothing more.
    FakeEditor other{kDocument};
    EXPECT_FALSE(
        live.apply(EditorView(other.handle()), document, {SC_MOD_INSERTTEXT, 0, 1, 0}, matches));
    EXPECT_EQ(other.messages(), std::vector<SentMessage>({{SCI_GETDOCPOINTER, 0, 0, {}}}));

    // The same document in a second view reports the same change: applied once. The same
    // change made again (Delete pressed twice) and its undo are changes of their own.
    FakeEditor clone{kDocument};
    clone.documentPointer = document;
    const EditCase del{"", false, 0, "a", {}, {}};
    const std::int64_t first = matches.front().position;
    ASSERT_TRUE(edit(editor, del));
    clone.setDocument(editor.document());
    EXPECT_FALSE(
        live.apply(EditorView(clone.handle()), document, {SC_MOD_DELETETEXT, 0, 1, 0}, matches));
    ASSERT_TRUE(edit(editor, del));
    EXPECT_EQ(matches.front().position, first - 2);
    ASSERT_TRUE(edit(editor, {"", true, 0, "b", {}, {}}, SC_PERFORMED_UNDO));
    EXPECT_EQ(matches.front().position, first - 1);
}

TEST_F(ResultsFollowEdits, MarksToClearFollowLaterChangesUntilTaken) {
    ASSERT_TRUE(edit(editor, {"", true, 5, "X", {}, {}}));   // splits the first needle
    ASSERT_TRUE(edit(editor, {"", true, 0, "QQ", {}, {}}));  // moves what it left
    ASSERT_TRUE(edit(editor, {"", false, 7, "x", {}, {}}));  // deletes the X again
    EXPECT_EQ(live.takeMarksToClear(), (std::vector<MarkRange>{{5, 11, 0}}));
}

}  // namespace
}  // namespace tarnwick::testing
