#include <gtest/gtest.h>

#include "core/marks/indicator_block.hpp"
#include "core/marks/modification_events_off.hpp"
#include "host/editor_messages.hpp"
#include "minihost/scintilla_messages.hpp"
#include "scintilla_window.hpp"

namespace tarnwick::testing {
namespace {

class IndicatorsInScintilla : public ::testing::Test {
protected:
    void SetUp() override {
        view.setDocument("alpha beta\ngamma alpha");
        list.add(u"alpha");  // palette colour 0
        list.add(u"beta");   // palette colour 1
        list.add(u"gamma");  // disabled below: its look must stay untouched
        list.setEnabled(2, false);
        matches = {{0, 5, 0, 0}, {6, 4, 1, 0}, {11, 5, 2, 1}, {17, 5, 0, 1}};
    }

    bool marked(int indicator, int position) const {
        return view.send(SCI_INDICATORVALUEAT, indicator, position) != 0;
    }

    // Which of the block's indicators mark each byte of the document.
    std::string markings(const IndicatorBlock& block) const {
        std::string result;
        for (int position = 0; position < 22; ++position) {
            char mark = '.';
            for (int k = 0; k < 10; ++k)
                if (marked(block.baseIndicator() + k, position)) mark = static_cast<char>('0' + k);
            result += mark;
        }
        return result;
    }

    ScintillaWindow view;
    SearchList list;
    MatchList matches;
};

TEST_F(IndicatorsInScintilla, ApplyMarksEachMatchWithItsEntrysIndicatorOnly) {
    const IndicatorBlock block;
    block.apply(EditorView(view.handle()), list, matches);
    EXPECT_EQ(markings(block), "00000.1111.22222.00000");
    EXPECT_FALSE(marked(block.baseIndicator() - 1, 0));
    EXPECT_FALSE(marked(block.baseIndicator() + 10, 0));
}

TEST_F(IndicatorsInScintilla, EnabledEntriesGetTheLookDisabledOnesKeepTheirs) {
    const IndicatorBlock block;
    const int gamma = block.baseIndicator() + 2;
    const LRESULT gammaStyle = view.send(SCI_INDICGETSTYLE, gamma);
    block.apply(EditorView(view.handle()), list, matches);
    for (int k : {0, 1}) {
        const int indicator = block.baseIndicator() + k;
        EXPECT_EQ(view.send(SCI_INDICGETSTYLE, indicator), INDIC_ROUNDBOX);
        EXPECT_EQ(static_cast<Colorref>(view.send(SCI_INDICGETFORE, indicator)), list[k].color);
        EXPECT_EQ(view.send(SCI_INDICGETALPHA, indicator), 80);
        EXPECT_EQ(view.send(SCI_INDICGETOUTLINEALPHA, indicator), 220);
        EXPECT_EQ(view.send(SCI_INDICGETUNDER, indicator), 1);
    }
    EXPECT_EQ(view.send(SCI_INDICGETSTYLE, gamma), gammaStyle);
}

TEST_F(IndicatorsInScintilla, ClearRemovesEveryMark) {
    const IndicatorBlock block;
    block.apply(EditorView(view.handle()), list, matches);
    block.clear(EditorView(view.handle()));
    EXPECT_EQ(markings(block), std::string(22, '.'));
}

TEST_F(IndicatorsInScintilla, ApplyOfAnEmptySearchRemovesThePreviousMarks) {
    const IndicatorBlock block;
    block.apply(EditorView(view.handle()), list, matches);
    block.apply(EditorView(view.handle()), list, MatchList{});
    EXPECT_EQ(markings(block), std::string(22, '.'));
}

// The view shown and painted, the marks of a Search leave all of it to be painted again,
// not only the lines they touch.
TEST_F(IndicatorsInScintilla, WorkWithTheEventsOffLeavesTheWholeViewToBePainted) {
    const HWND editor = static_cast<HWND>(view.handle());
    RECT frame{};
    GetClientRect(GetParent(editor), &frame);
    MoveWindow(editor, 0, 0, frame.right, frame.bottom, FALSE);
    ShowWindow(GetParent(editor), SW_SHOWNOACTIVATE);
    UpdateWindow(GetParent(editor));
    RECT update{};
    ASSERT_FALSE(GetUpdateRect(editor, &update, FALSE));
    {
        const ModificationEventsOff quiet(NppData{}, view.handle(), 0);
        IndicatorBlock().fill(EditorView(view.handle()), matches);
    }
    RECT client{};
    GetClientRect(editor, &client);
    GetUpdateRect(editor, &update, FALSE);
    EXPECT_TRUE(EqualRect(&update, &client));
}

}  // namespace
}  // namespace tarnwick::testing
