#pragma once

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "minihost/scintilla_messages.hpp"
#include "plugin_host_fixture.hpp"
#include "settings/settings_format.hpp"

namespace tarnwick::testing {

using Rows = std::vector<std::vector<std::wstring>>;

// The panel's controls, by their ids in the dialog template.
inline constexpr int kSearchList = 2001, kResultsList = 2002, kEdit = 2003, kAdd = 2004, kSearch = 2005,
              kClear = 2006, kResultsLabel = 2007, kStringsLabel = 2008, kInfo = 2009,
              kAll = 2010;
inline constexpr int kFirstIndicator = 20;  // what minihost grants

// Tarnwick's panel shown in minihost, driven through its real controls, with the marks read
// back from the real views.
class PanelWorkflow : public PluginHostTest {
protected:
    void SetUp() override {
        PluginHostTest::SetUp();
        showPanel();
    }

    void add(const std::wstring& text) const {
        controls().setText(kEdit, text);
        controls().click(kAdd);
    }

    Rows searchRows() const { return controls().rows(kSearchList, 2); }
    Rows resultRows() const { return controls().rows(kResultsList, 3); }

    SearchList savedList() const {
        std::istringstream in(settingsBytes());
        SearchList list;
        readSearchList(in, list);
        return list;
    }

    bool marked(HWND view, int entry, int position) const {
        return SendMessageW(view, SCI_INDICATORVALUEAT, kFirstIndicator + entry, position) != 0;
    }

    // Which of the ten indicators mark each position of the document.
    std::string markings(HWND view, int length) const {
        std::string result;
        for (int position = 0; position < length; ++position) {
            char mark = '.';
            for (int entry = 0; entry < 10; ++entry)
                if (marked(view, entry, position)) mark = static_cast<char>('0' + entry);
            result += mark;
        }
        return result;
    }
};

}  // namespace tarnwick::testing
