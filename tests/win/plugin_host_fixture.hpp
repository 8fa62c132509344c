#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "minihost/mini_host.hpp"

namespace tarnwick::testing {

// Reads and drives the panel's real controls by their ids.
// A point inside a list row's label, in the list's client coordinates, as a mouse message
// carries it.
LPARAM rowClickPoint(HWND list, int row);

class PanelControls {
public:
    explicit PanelControls(HWND panel) : panel_(panel) {}

    HWND panel() const { return panel_; }
    HWND control(int id) const { return GetDlgItem(panel_, id); }

    // The texts of every row of a list control, column by column, each asked for with room
    // for `units` (the list itself asks for 260 when it paints).
    std::vector<std::vector<std::wstring>> rows(int listId, int columns, int units = 1024) const;
    UINT checkState(int row) const;
    bool allBoxChecked() const;
    std::wstring text(int id) const;

    void setText(int id, const std::wstring& text) const;
    void click(int id) const;
    void selectRow(int listId, int row) const;
    // A click of the mouse on the check box of the search list's `row`, scrolled into view
    // first; `twice` makes it a double-click.
    void clickCheckBox(int row, bool twice = false) const;
    void pressDelete() const;
    void doubleClickRow(int row) const;

private:
    HWND panel_;
};

// Tarnwick.dll as built beside the test program.
std::filesystem::path tarnwickDllPath();

// A minihost with Tarnwick.dll loaded, over a configuration folder of its own.
class PluginHostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new host over the same folder, as at the next start of the editor.
    void startHost(minihost::Appearance appearance = minihost::Appearance::light);
    void showPanel();
    HWND panelWindow() const;
    PanelControls controls() const { return PanelControls(panelWindow()); }

    std::filesystem::path settingsFile() const;
    std::string settingsBytes() const;
    void writeSettings(const std::string& json) const;
    void setDocument(HWND view, const std::string& utf8) const;

    std::filesystem::path configDirectory;
    std::unique_ptr<minihost::MiniHost> host;
};

}  // namespace tarnwick::testing
