// The panel at the screen's DPI. The default test prefix is at 96 DPI; the same tests run
// again in prefixes of their own at 144 and 192 DPI, which name their DPI in
// TARNWICK_WINE_DPI.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "dialogs/window_dpi.hpp"
#include "panel/controls/panel_layout.hpp"
#include "panel_workflow_fixture.hpp"

namespace tarnwick::testing {
namespace {

int prefixDpi() {
    const char* dpi = std::getenv("TARNWICK_WINE_DPI");
    return dpi != nullptr ? std::atoi(dpi) : kDefaultDpi;
}

class PanelAtTheSystemDpi : public PanelWorkflow {
protected:
    PixelRect placementOf(int id) const {
        RECT rect{};
        GetWindowRect(controls().control(id), &rect);
        MapWindowPoints(nullptr, panelWindow(), reinterpret_cast<POINT*>(&rect), 2);
        return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    }

    std::vector<int> columnWidths(int listId, int columns) const {
        std::vector<int> widths;
        for (int column = 0; column < columns; ++column)
            widths.push_back(static_cast<int>(
                SendMessageW(controls().control(listId), LVM_GETCOLUMNWIDTH, column, 0)));
        return widths;
    }

    // The layout's rectangles in the order of `ids`.
    std::vector<PixelRect> expectedPlacements() const {
        RECT client{};
        GetClientRect(panelWindow(), &client);
        const auto layout = layoutPanel(client.right, client.bottom, prefixDpi());
        if (!layout) return {};
        return {layout->stringsLabel, layout->allCheckBox,  layout->searchList,
                layout->entryEdit,    layout->addButton,    layout->searchButton,
                layout->clearButton,  layout->infoButton,   layout->resultsLabel,
                layout->resultsList};
    }

    std::vector<PixelRect> placements() const {
        std::vector<PixelRect> found;
        for (int id : ids) found.push_back(placementOf(id));
        return found;
    }

    const std::vector<int> ids = {kStringsLabel, kAll,   kSearchList,   kEdit, kAdd,
                                  kSearch, kClear, kInfo, kResultsLabel, kResultsList};
};

TEST_F(PanelAtTheSystemDpi, LaysOutColumnsAndMinimumSizeScaledFromNinetySix) {
    const int dpi = prefixDpi();
    ASSERT_EQ(windowDpi(panelWindow()), dpi);
    EXPECT_EQ(placements(), expectedPlacements());
    const auto scaled = [dpi](std::vector<int> widths) {
        for (int& width : widths) width = scaleForDpi(width, dpi);
        return widths;
    };
    EXPECT_EQ(columnWidths(kSearchList, 4), scaled({200, 60, 50, 60}));
    EXPECT_EQ(columnWidths(kResultsList, 3), scaled({50, 80, 400}));

    MINMAXINFO limits{};
    SendMessageW(panelWindow(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, scaleForDpi(250, dpi));
    EXPECT_EQ(limits.ptMinTrackSize.y, scaleForDpi(200, dpi));
}

TEST_F(PanelAtTheSystemDpi, ANewDpiLaysTheControlsOutAgainAndKeepsTheColumnsSize) {
    MoveWindow(controls().control(kEdit), 0, 0, 10, 10, FALSE);
    SendMessageW(controls().control(kResultsList), LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(123, 0));
    SendMessageW(panelWindow(), WM_DPICHANGED_AFTERPARENT, 0, 0);
    EXPECT_EQ(placements(), expectedPlacements());
    EXPECT_EQ(columnWidths(kResultsList, 3)[2], 123);  // the DPI the system reports is the same
}

}  // namespace
}  // namespace tarnwick::testing
