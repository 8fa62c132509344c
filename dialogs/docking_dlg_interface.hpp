#pragma once

#include <string>

#include "dialogs/static_dialog.hpp"
#include "host/host_records.hpp"

namespace tarnwick {

// A dialog that lives in the host's docking manager: shown and hidden through the host,
// registered with a record it fills, and told by the host where it was docked.
class DockingDlgInterface : public StaticDialog {
public:
    explicit DockingDlgInterface(int templateId) : dialogId(templateId) {}

    // Also records the file name of the module, which the host stores with the panel.
    void init(HINSTANCE moduleInstance, HWND parentWindow) override;
    void display(bool show) override;

    // Creates the dialog from its template and fills the parts of the registration
    // record that describe the window.
    virtual void createDockable(tTbData& record);
    virtual void updateDockingInfo();

    const std::wstring& getModuleName() const { return moduleName; }
    const std::wstring& getPanelName() const { return panelName; }
    int getDockedPosition() const { return dockedPosition; }
    bool getIsFloating() const { return isFloating; }

protected:
    // Keeps track of the host's dock and float notifications; answers FALSE to everything.
    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void sendToHost(UINT message) const;

    int dialogId;
    int dockedPosition = 0;
    std::wstring moduleName;
    std::wstring panelName;
    bool isFloating = true;
};

}  // namespace tarnwick
