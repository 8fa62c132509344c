// The results of a search follow edits of their document: matches before a change stay,
// those after it move, those whose bytes changed go, and every survivor is what a new
// search of the edited document finds at its place.
#include "core/results/live_results.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "core/search/document_searcher.hpp"
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

    // Makes the edit in `view`'s document and tells `live` as the editor would; then the
    // broken rows go and the results are counted again, as the panel does.
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
        auto effect = live.apply(
            EditorView(view.handle()), view.documentPointer,
            {type, change.position, static_cast<std::int64_t>(change.text.size()), lines}, matches);
        matches.compact();
        live.settled(EditorView(view.handle()), matches);
        return effect;
    }

    void SetUp() override { startFollowing(); }

    void startFollowing() {
        MatchList found = search(editor);
        live.searched(EditorView(editor.handle()), list, found);
        matches = LiveMatches(std::move(found));
    }

    // The held results, each as "position:entry line content", their lines read as the
    // list reads them.
    std::vector<std::string> described(const MatchList& results) {
        std::vector<std::string> texts;
        for (const SearchMatch& match : results) {
            const std::u16string content = placeOf(match).text.str();
            texts.push_back(std::to_string(match.position) + ":" +
                            std::to_string(match.entryIndex) + " " + std::to_string(match.line) +
                            " " + std::string(content.begin(), content.end()));
        }
        return texts;
    }

    ResultLines::Place placeOf(const SearchMatch& match) {
        return ResultLines().read(EditorView(editor.handle()), match.line, match.position);
    }

    // Every match held is one a new search finds at its place, on its line.
    void expectEachFoundAgain() {
        const MatchList fresh = search(editor);
        for (std::size_t row = 0; row < matches.size(); ++row) {
            const SearchMatch match = matches.at(row);
            const auto same =
                std::find_if(fresh.begin(), fresh.end(), [&](const SearchMatch& found) {
                    return found.position == match.position && found.entryIndex == match.entryIndex;
                });
            ASSERT_NE(same, fresh.end())
                << "no match of entry " << match.entryIndex << " at " << match.position;
            EXPECT_EQ(match.line, same->line) << match.position;
            EXPECT_EQ(match.length, same->length) << match.position;
        }
    }

    SearchList list = listOf({enabledEntry(u"needle"), enabledEntry(u"le")});
    FakeEditor editor{kDocument};
    LiveMatches matches;
    LiveResults live;
};

TEST_P(ResultsFollowEdits, SurvivorsAreWhereANewSearchFindsThemAndChangedOnesGo) {
    const EditCase& change = GetParam();
    const MatchList before = matches.settled();
    const auto effect = edit(editor, change);
    ASSERT_TRUE(effect);

    std::vector<std::int64_t> dropped;
    for (const std::size_t row : effect->droppedRows) dropped.push_back(before[row].position);
    EXPECT_EQ(dropped, change.dropped);
    EXPECT_EQ(matches.size(), before.size() - dropped.size());
    expectEachFoundAgain();
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

// Edits far after, far before and between earlier ones: the moves of the rows after each
// edit, held back until read, stay right wherever the next edit lands.
TEST_F(ResultsFollowEdits, EditsAllOverTheDocumentKeepEveryMatchInPlace) {
    std::string text;
    for (int copy = 0; copy < 6; ++copy) text += kDocument;
    editor.setDocument(text);
    startFollowing();
    const std::vector<EditCase> edits{
        {"", true, 180, "Q", {}, {}},      {"", true, 181, "R", {}, {}},
        {"", true, 0, "a\nb", {}, {}},     {"", false, 70, "xx\nx", {}, {}},
        {"", true, 100, "\n\n", {}, {}},   {"", false, 3, "x", {}, {}},
        {"", true, 150, "needle", {}, {}}, {"", false, 120, "xxxxxxxxxxxxxxxxxx", {}, {}},
        {"", true, 60, "Z", {}, {}}};
    for (const EditCase& change : edits) {
        ASSERT_TRUE(edit(editor, change)) << change.position;
        expectEachFoundAgain();
    }
    EXPECT_GT(matches.size(), 20u);
    matches.settled();
    expectEachFoundAgain();
}

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
    const std::int64_t first = matches.position(0);
    ASSERT_TRUE(edit(editor, del));
    clone.setDocument(editor.document());
    EXPECT_FALSE(
        live.apply(EditorView(clone.handle()), document, {SC_MOD_DELETETEXT, 0, 1, 0}, matches));
    ASSERT_TRUE(edit(editor, del));
    EXPECT_EQ(matches.position(0), first - 2);
    ASSERT_TRUE(edit(editor, {"", true, 0, "b", {}, {}}, SC_PERFORMED_UNDO));
    EXPECT_EQ(matches.position(0), first - 1);
}

TEST_F(ResultsFollowEdits, MarksToClearFollowLaterChangesUntilTaken) {
    ASSERT_TRUE(edit(editor, {"", true, 5, "X", {}, {}}));   // splits the first needle
    ASSERT_TRUE(edit(editor, {"", true, 0, "QQ", {}, {}}));  // moves what it left
    ASSERT_TRUE(edit(editor, {"", false, 7, "x", {}, {}}));  // deletes the X again
    EXPECT_EQ(live.takeMarksToClear(), (std::vector<MarkRange>{{5, 11, 0}}));
}

// After a pause the edited text is searched again: whatever the edits did, the results are
// then exactly what a new search of the whole document finds, rows, lines and Content.
TEST_F(ResultsFollowEdits, EditedTextSearchedAgainIsWhatANewSearchFinds) {
    struct Case {
        const char* name;
        std::string document;
        std::vector<EditCase> edits;
    };
    std::string lines;
    for (int line = 0; line < 100; ++line) lines += "nedle " + std::to_string(line) + "\n";
    std::vector<EditCase> column;  // an "e" typed a hundred times down the lines, as a column edit
    for (int line = 0; line < 100; ++line)
        column.push_back(
            {"", true, 2 + line * static_cast<std::int64_t>(lines.find('\n') + 2), "e", {}, {}});
    const Case cases[] = {
        {"TypingCompletesAMatch", "ab needl cd\n", {{"", true, 8, "e", {}, {}}}},
        {"TwoInsertionsMakeOne",
         "ab  cd\n",
         {{"", true, 3, "ne", {}, {}}, {"", true, 5, "edle", {}, {}}}},
        {"AMatchMadeBelowAnEditStillToMove",
         "x\nneedle\nneedl x\nneedle\n",
         {{"", true, 14, "e", {}, {}}, {"", true, 0, "yy", {}, {}}}},
        {"DeletionJoinsHalves", "nee--dle\n", {{"", false, 3, "--", {}, {}}}},
        {"LineEndSplitsAMatchAndUndoJoinsIt",
         "x needle y\n",
         {{"", true, 5, "\n", {}, {}}, {"", false, 5, "\n", {}, {}}}},
        {"ShiftedRunOfOverlappingCandidates", "aaaaaaa needle\n", {{"", true, 0, "a", {}, {}}}},
        {"RunShrinks", "aaaaaaaa\n", {{"", false, 0, "a", {}, {}}, {"", false, 3, "a", {}, {}}}},
        {"ColumnEditOverEveryLine", lines, column},
    };
    list = listOf({enabledEntry(u"needle"), enabledEntry(u"aa"), enabledEntry(u"le")});
    for (const Case& c : cases) {
        editor.setDocument(c.document);
        startFollowing();
        for (const EditCase& change : c.edits) ASSERT_TRUE(edit(editor, change)) << c.name;
        std::vector<MarkRange> marks;
        live.searchEdits(EditorView(editor.handle()), matches, marks);
        EXPECT_FALSE(live.hasEdits());
        EXPECT_EQ(described(matches.settled()), described(search(editor))) << c.name;
        EXPECT_EQ(live.verify(EditorView(editor.handle()), matches), TextCheck::Verdict::same)
            << c.name;
    }
}

// A change nobody told of: the check tells text added at the end from any other change,
// wherever the editor's gap is, and only the added text is searched.
TEST_F(ResultsFollowEdits, SilentChangesAreToldApartByTheTextCheck) {
    using Verdict = TextCheck::Verdict;
    const std::string before = kDocument;
    const struct {
        const char* name;
        std::string after;
        Verdict verdict;
    } cases[] = {
        {"Unchanged", before, Verdict::same},
        {"LogGrew", before + "needle\nand le more needle", Verdict::appended},
        {"LineAddedAtTheTop", "needle\n" + before, Verdict::changed},
        {"SameLengthResultsMoved", "ab cd needle\nneedle needleneedle\nx", Verdict::changed},
        {"AResultsCaseChanged", "ab Needle cd\nneedle needleneedle\nx", Verdict::changed},
        {"Shorter", before.substr(0, 20), Verdict::changed},
        {"EndRewrittenAndGrown", before.substr(0, before.size() - 1) + "yneedle", Verdict::changed},
    };
    for (const auto& c : cases) {
        for (const std::intptr_t gap : {0, 9, 25, 1000}) {
            editor.gapPosition = gap;
            editor.setDocument(before);
            startFollowing();
            editor.setDocument(c.after);
            const EditorView view(editor.handle());
            ASSERT_EQ(live.verify(view, matches), c.verdict) << c.name << " gap " << gap;
            if (c.verdict != Verdict::appended) continue;
            live.searchAppended(view, matches);
            EXPECT_EQ(described(matches.settled()), described(search(editor))) << c.name;
            EXPECT_EQ(live.verify(view, matches), Verdict::same) << c.name;
        }
    }
}
// A record of many results taken in parts, as a Search in slices takes it, each part
// ending at its deadline: the check finds the text the same, and a changed result changed.
TEST(TextCheckInParts, IsTheRecordTakenInOneGo) {
    std::string text;
    MatchList found;
    for (std::int32_t line = 0; line < 20'000; ++line) {
        found.push_back({static_cast<std::intptr_t>(text.size()), 6, 0, line});
        text += "needle\n";
    }
    FakeEditor editor(text);
    const EditorView view(editor.handle());
    TextCheck check;
    check.record(view, {});
    std::size_t parts = 0;
    for (std::size_t row = 0; row < found.size(); ++parts)
        row = check.add(view, found, row, std::chrono::steady_clock::time_point::min());
    EXPECT_GT(parts, 1u);
    const LiveMatches matches(found);
    EXPECT_EQ(check.verify(view, matches), TextCheck::Verdict::same);
    text[7 * 12'345] = 'N';
    editor.setDocument(text);
    EXPECT_EQ(check.verify(view, matches), TextCheck::Verdict::changed);
}

// The list keeps its selection and scroll on the results that are still there: a row
// is found again after rows went and came, and after a whole new search by what it shows.
TEST_F(ResultsFollowEdits, RowsAreFoundAgainAfterTheResultsChanged) {
    const RowsChanged rows{{1, 4}, {0, 3}};  // of 6 rows, 1 and 4 went; 2 came, now 0 and 3
    const std::vector<std::optional<std::size_t>> expected{1, std::nullopt, 2, 4, std::nullopt, 5};
    for (std::size_t row = 0; row < expected.size(); ++row)
        EXPECT_EQ(rowAfter(rows, row), expected[row]) << row;

    // kDocument under a line of its own: each row two rows further down.
    const auto shown = [&](std::size_t row) {
        const SearchMatch match = matches.at(row);
        return ShownResult{match.entryIndex, placeOf(match)};
    };
    const auto placeNow = [&](std::size_t row) { return shown(row).place; };
    const ShownResult first = shown(0);
    const ShownResult fifth = shown(4);
    editor.setDocument(std::string("needle\n") + kDocument);
    startFollowing();
    EXPECT_EQ(sameResult(matches, fifth, 4, placeNow), std::optional<std::size_t>(6));
    EXPECT_EQ(sameResult(matches, first, 7, placeNow), std::optional<std::size_t>(2));
    editor.setDocument("other");
    startFollowing();
    EXPECT_EQ(sameResult(matches, first, 0, placeNow), std::nullopt);
}

}  // namespace
}  // namespace tarnwick::testing
