// What the editor costs a plugin, and how the plugin keeps it low: its views are called by
// their direct functions, not through the window system that the host's hook slows down;
// indicator work runs with the views' modification events off, which always come back on
// as the host set them; and a long line is shown around its match.
#include <windows.h>

#include <string>
#include <vector>

#include "host/send_message.hpp"
#include "oversized_line_view.hpp"
#include "panel_workflow_fixture.hpp"
#include "scintilla_window.hpp"

namespace tarnwick::testing {
namespace {

// Every message sent to a window of this thread, as the thread's WH_CALLWNDPROC hooks see
// it; for a view's change notification to its parent, the kind of change as well.
class SentMessages {
public:
    struct Sent {
        HWND window;
        UINT message;
        int modificationType;  // of SCN_MODIFIED; 0 for anything else
        WPARAM wParam;
        LPARAM lParam;
    };

    SentMessages()
        : hook_(SetWindowsHookExW(WH_CALLWNDPROC, &SentMessages::record, nullptr,
                                  GetCurrentThreadId())) {
        current_ = this;
    }
    ~SentMessages() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    SentMessages(const SentMessages&) = delete;
    SentMessages& operator=(const SentMessages&) = delete;

    // The editor messages (2000 to 2999) sent to `window`, in order.
    std::vector<UINT> editorMessagesTo(HWND window) const {
        std::vector<UINT> messages;
        for (const Sent& sent : sent_)
            if (sent.window == window && sent.message >= 2000 && sent.message < 3000)
                messages.push_back(sent.message);
        return messages;
    }
    // How many change notifications of a kind in `mask` reached `parent`.
    int notificationsTo(HWND parent, int mask) const {
        int count = 0;
        for (const Sent& sent : sent_)
            if (sent.window == parent && (sent.modificationType & mask) != 0) ++count;
        return count;
    }
    // The parameters of each `message` sent to `window`, in order.
    std::vector<std::pair<WPARAM, LPARAM>> parametersTo(HWND window, UINT message) const {
        std::vector<std::pair<WPARAM, LPARAM>> parameters;
        for (const Sent& sent : sent_)
            if (sent.window == window && sent.message == message)
                parameters.emplace_back(sent.wParam, sent.lParam);
        return parameters;
    }
    void forget() { sent_.clear(); }

private:
    static LRESULT CALLBACK record(int code, WPARAM wParam, LPARAM lParam) {
        const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current_ != nullptr) {
            int modificationType = 0;
            if (call.message == WM_NOTIFY) {
                const auto& notice = *reinterpret_cast<const SCNotification*>(call.lParam);
                if (notice.nmhdr.code == SCN_MODIFIED) modificationType = notice.modificationType;
            }
            current_->sent_.push_back(
                {call.hwnd, call.message, modificationType, call.wParam, call.lParam});
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline SentMessages* current_ = nullptr;
    HHOOK hook_;
    std::vector<Sent> sent_;
};

// The seam of this test program (the DLL has its own) names two views for a test only.
class NamedEditorViews {
public:
    NamedEditorViews(WindowHandle main, WindowHandle second) { setEditorViews(main, second); }
    ~NamedEditorViews() { setEditorViews(nullptr, nullptr); }
};

TEST(DirectCalls, AViewIsAskedOnceAndCalledDirectlyAWindowWithoutADirectFunctionIsSentTo) {
    ScintillaWindow view;
    view.setDocument("four");
    OversizedLineView noDirectFunction("seven b");
    const HWND other = noDirectFunction.handle();
    SentMessages sent;
    {
        const NamedEditorViews named(view.handle(), other);
        for (int round = 0; round < 3; ++round) {
            EXPECT_EQ(sendMessage(view.handle(), SCI_GETLENGTH, 0, 0), 4);
            EXPECT_EQ(sendMessage(other, SCI_GETLENGTH, 0, 0), 7);
        }
        sendMessage(view.handle(), SCI_SETTARGETSTART, 1, 0);
        EXPECT_EQ(view.send(SCI_GETTARGETSTART), 1);  // the same view, whichever way
    }
    const auto viewWindow = static_cast<HWND>(view.handle());
    EXPECT_EQ(sent.editorMessagesTo(viewWindow),
              (std::vector<UINT>{SCI_GETDIRECTFUNCTION, SCI_GETDIRECTPOINTER, SCI_GETTARGETSTART}));
    EXPECT_EQ(sent.editorMessagesTo(other), (std::vector<UINT>{SCI_GETDIRECTFUNCTION, SCI_GETLENGTH,
                                                               SCI_GETLENGTH, SCI_GETLENGTH}));
    // Once the views are no longer named, they are sent messages again.
    sent.forget();
    EXPECT_EQ(sendMessage(view.handle(), SCI_GETLENGTH, 0, 0), 4);
    EXPECT_EQ(sent.editorMessagesTo(viewWindow), std::vector<UINT>{SCI_GETLENGTH});
}

class HostCosts : public PanelWorkflow {
protected:
    // Both views keep the mask the host gave them.
    void expectHostMasks() const {
        EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETMODEVENTMASK, 0, 0), kHostModificationMask);
        EXPECT_EQ(SendMessageW(host->secondView(), SCI_GETMODEVENTMASK, 0, 0),
                  kHostModificationMask);
    }
};

TEST_F(HostCosts, SearchCallsTheViewsDirectlyWithoutIndicatorNoticesAndEditsStillNotify) {
    const HWND view = host->mainView();
    setDocument(view, "needle, needle\r\nneedle");
    add(L"needle");
    SentMessages sent;
    controls().click(kSearch);
    // The plugin's own seam asked each view for its direct function once, then called it.
    for (const HWND each : {view, host->secondView()})
        EXPECT_EQ(sent.editorMessagesTo(each),
                  (std::vector<UINT>{SCI_GETDIRECTFUNCTION, SCI_GETDIRECTPOINTER}));
    EXPECT_EQ(sent.notificationsTo(host->mainWindow(), SC_MOD_CHANGEINDICATOR), 0);
    EXPECT_EQ(markings(view, 22), "000000..000000..000000");
    expectHostMasks();

    sent.forget();
    controls().click(kSearch);
    controls().click(kClear);
    EXPECT_TRUE(sent.editorMessagesTo(view).empty());
    EXPECT_EQ(sent.notificationsTo(host->mainWindow(), SC_MOD_CHANGEINDICATOR), 0);
    EXPECT_EQ(markings(view, 22), std::string(22, '.'));
    expectHostMasks();
    sent.forget();

    // The host still hears of edits, and of indicators set by anyone else.
    SendMessageW(view, SCI_INSERTTEXT, 0, reinterpret_cast<LPARAM>("x"));
    SendMessageW(view, SCI_INDICATORFILLRANGE, 0, 1);
    EXPECT_EQ(sent.notificationsTo(host->mainWindow(), SC_MOD_INSERTTEXT), 1);
    EXPECT_EQ(sent.notificationsTo(host->mainWindow(), SC_MOD_CHANGEINDICATOR), 1);
}

TEST_F(HostCosts, RepaintsAndJumpsLeaveBothViewsTheirMasksTheSecondShowingTheDocumentToo) {
    setDocument(host->mainView(), "a needle");
    const minihost::BufferId searched = host->currentBuffer();
    add(L"needle");
    controls().click(kSearch);
    host->newDocument(minihost::MiniHost::kMainViewIndex, "other");
    ASSERT_TRUE(host->cloneDocument(searched, minihost::MiniHost::kSecondViewIndex));
    SentMessages sent;
    ASSERT_TRUE(host->activateDocument(minihost::MiniHost::kMainViewIndex, 0));  // a repaint
    expectHostMasks();
    host->newDocument(minihost::MiniHost::kMainViewIndex, "third");
    controls().doubleClickRow(0);  // the jump brings the searched document forward
    EXPECT_EQ(host->shownBuffer(minihost::MiniHost::kMainViewIndex), searched);
    expectHostMasks();
    EXPECT_EQ(markings(host->mainView(), 8), "..000000");
    EXPECT_EQ(markings(host->secondView(), 8), "..000000");
    EXPECT_EQ(sent.notificationsTo(host->mainWindow(), SC_MOD_CHANGEINDICATOR), 0);
}

// Each row drawn costs the list a dozen messages through the host's hook: a burst of typing
// leaves the edited line's rows to be drawn once, a moment later.
TEST_F(HostCosts, TypingDrawsTheEditedRowsOnceItPauses) {
    const HWND view = host->mainView();
    setDocument(view, "needle a\nb needle needle\nneedle c\n");
    add(L"needle");
    controls().click(kSearch);
    const HWND list = controls().control(kResultsList);
    SentMessages sent;
    for (const char* typed : {"x", "y", "z"})
        SendMessageW(view, SCI_INSERTTEXT, 10, reinterpret_cast<LPARAM>(typed));
    EXPECT_TRUE(sent.parametersTo(list, LVM_REDRAWITEMS).empty());
    for (int wait = 0; wait < 100 && sent.parametersTo(list, LVM_REDRAWITEMS).empty(); ++wait) {
        Sleep(10);
        host->pumpMessages();
    }
    EXPECT_EQ(sent.parametersTo(list, LVM_REDRAWITEMS),
              (std::vector<std::pair<WPARAM, LPARAM>>{{1, 2}}));
    EXPECT_EQ(resultRows()[2], (std::vector<std::wstring>{L"2", L"needle", L"bzyx needle needle"}));
}

TEST_F(HostCosts, ALongLineIsShownAroundEachOfItsMatches) {
    std::string line(20'000, '.');
    for (std::size_t i = 0; i < line.size(); i += 7) line[i] = static_cast<char>('a' + i % 26);
    for (const std::size_t at : {10u, 10'000u, 19'990u}) line.replace(at, 6, "needle");
    setDocument(host->mainView(), line + "\r\nneedle");
    add(L"needle");
    controls().click(kSearch);
    const std::wstring wide(line.begin(), line.end());
    EXPECT_EQ(controls().rows(kResultsList, 3, 260),
              (Rows{{L"1", L"needle", wide.substr(0, 259)},
                    {L"1", L"needle", L"\u2026" + wide.substr(9'960, 258)},
                    {L"1", L"needle", L"\u2026" + wide.substr(19'950)},
                    {L"2", L"needle", L"needle"}}));
}

}  // namespace
}  // namespace tarnwick::testing
