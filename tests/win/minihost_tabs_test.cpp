#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "host/host_messages.hpp"
#include "minihost/replace_dialog.hpp"
#include "minihost/scintilla_messages.hpp"
#include "minihost_fixture.hpp"

namespace tarnwick::minihost::testing {
namespace {

// What NPPM_GETPOSFROMBUFFERID answers for a tab.
LRESULT positionOf(int view, int index) {
    return (static_cast<LRESULT>(view) << 30) | index;
}

LRESULT documentOf(HWND view) {
    return SendMessageW(view, SCI_GETDOCPOINTER, 0, 0);
}

class MiniHostTabs : public MiniHostTest {
protected:
    LRESULT ask(UINT message, WPARAM wParam, LPARAM lParam) const {
        return SendMessageW(host->mainWindow(), message, wParam, lParam);
    }

    // The test plugin's lines for a notification about `id`, and for what the host showed
    // it at that moment.
    std::string notified(std::uint32_t code, BufferId id) const {
        return "notify " + std::to_string(code) + " from=" + number(host->mainWindow()) +
               " id=" + std::to_string(id) + " panel=0";
    }
    static std::string hostState(BufferId current, LRESULT position, int length) {
        return "host current=" + std::to_string(current) + " pos=" + std::to_string(position) +
               " length=" + std::to_string(length);
    }

    std::filesystem::path writeFile(const wchar_t* name, const std::string& bytes) const {
        std::ofstream(root / name, std::ios::binary) << bytes;
        return root / name;
    }
};

using MiniHostBuffers = MiniHostTabs;

TEST_F(MiniHostBuffers, IdsAreNonZeroAndNeverGivenTwice) {
    host = std::make_unique<MiniHost>(configDirectory);
    std::set<BufferId> seen = {host->shownBuffer(0), host->shownBuffer(1)};
    const BufferId closed = host->newDocument(1, "soon closed");
    seen.insert(closed);
    ASSERT_TRUE(host->closeDocument(closed));
    seen.insert(host->newDocument(1, "after the close"));
    seen.insert(host->newDocument(0, ""));
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_FALSE(seen.contains(0));
}

TEST_F(MiniHostBuffers, ANewDocumentIsShownInItsViewUnmodifiedAndNamed) {
    startHost();
    clearLog();
    const BufferId id = host->newDocument(1, "abc\ndef");
    EXPECT_EQ(host->tabs(1).back(), id);
    EXPECT_EQ(host->shownBuffer(1), id);
    EXPECT_EQ(textOf(host->secondView()), "abc\ndef");
    EXPECT_EQ(SendMessageW(host->secondView(), SCI_GETMODIFY, 0, 0), 0);
    EXPECT_EQ(SendMessageW(host->secondView(), SCI_CANUNDO, 0, 0), 0);
    EXPECT_EQ(tabNames(host->tabStrip(1)), (std::vector<std::wstring>{L"new 2", L"new 3"}));
    EXPECT_EQ(SendMessageW(host->tabStrip(1), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(log().empty());  // not in the current view

    const BufferId inCurrent = host->newDocument(0, "xy");
    EXPECT_EQ(log(), (std::vector<std::string>{notified(NPPN_BUFFERACTIVATED, inCurrent),
                                               hostState(inCurrent, 1, 2)}));
    EXPECT_EQ(host->newDocument(2, "no such view"), 0u);
    EXPECT_EQ(host->newDocument(-1, "no such view"), 0u);
    EXPECT_EQ(host->newDocument(0, "unknown code page", 1252), 0u);
    EXPECT_EQ(host->tabs(0).size(), 2u);
}

TEST_F(MiniHostBuffers, AnAnsiDocumentKeepsItsBytesInCodePageZero) {
    host = std::make_unique<MiniHost>(configDirectory);
    const std::string windows1252 = "caf\xE9 \x80 na\xEFve";
    const BufferId ansi = host->newDocument(0, windows1252, 0);
    EXPECT_EQ(textOf(host->mainView()), windows1252);
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETCODEPAGE, 0, 0), 0);

    // The view is told the code page of whichever document it shows.
    host->switchDocument();
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETCODEPAGE, 0, 0), 65001);
    host->switchDocument();
    EXPECT_EQ(host->currentBuffer(), ansi);
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETCODEPAGE, 0, 0), 0);
    EXPECT_EQ(textOf(host->mainView()), windows1252);

    ASSERT_TRUE(host->openFile(writeFile(L"latin.txt", windows1252), 0));
    EXPECT_EQ(tabNames(host->tabStrip(0)).back(), L"latin.txt");
    EXPECT_EQ(textOf(host->mainView()), windows1252);
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETCODEPAGE, 0, 0), 0);
}

TEST_F(MiniHostBuffers, ACloneSharesTheDocumentInBothViews) {
    startHost();
    const BufferId id = host->newDocument(0, "shared");
    clearLog();
    ASSERT_TRUE(host->cloneDocument(id, 1));
    EXPECT_TRUE(log().empty());  // the second view is not the current one
    EXPECT_EQ(host->tabs(1).back(), id);
    EXPECT_EQ(documentOf(host->secondView()), documentOf(host->mainView()));
    EXPECT_EQ(tabNames(host->tabStrip(1)).back(), L"new 3");

    SendMessageW(host->secondView(), SCI_APPENDTEXT, 1, reinterpret_cast<LPARAM>("!"));
    EXPECT_EQ(textOf(host->mainView()), "shared!");
    EXPECT_FALSE(host->cloneDocument(id, 1));  // the view has it already
    EXPECT_FALSE(host->cloneDocument(id, 2));
    EXPECT_FALSE(host->cloneDocument(12345, 1));
    EXPECT_EQ(host->tabs(1).size(), 2u);
}

TEST_F(MiniHostBuffers, ACloneIntoTheCurrentViewIsAnnounced) {
    startHost();
    const BufferId id = host->shownBuffer(1);
    clearLog();
    ASSERT_TRUE(host->cloneDocument(id, 0));
    EXPECT_EQ(host->currentBuffer(), id);
    EXPECT_EQ(log(), (std::vector<std::string>{notified(NPPN_BUFFERACTIVATED, id),
                                               hostState(id, positionOf(0, 1), 0)}));
}

using MiniHostOpening = MiniHostTabs;

TEST_F(MiniHostOpening, TheFirstFileTakesThePlaceOfTheEmptyNewDocument) {
    startHost();
    const BufferId untitled = host->shownBuffer(0);
    clearLog();
    ASSERT_TRUE(host->openFile(writeFile(L"first.log", "12345")));
    const BufferId file = host->shownBuffer(0);
    EXPECT_NE(file, untitled);
    EXPECT_EQ(host->tabs(0), std::vector<BufferId>{file});
    EXPECT_EQ(tabNames(host->tabStrip(0)), std::vector<std::wstring>{L"first.log"});
    // The untitled document is closed while the view still shows it.
    const std::vector<std::string> expected = {
        notified(NPPN_FILEBEFORECLOSE, untitled), hostState(untitled, 0, 0),
        notified(NPPN_BUFFERACTIVATED, file), hostState(file, 0, 5)};
    EXPECT_EQ(log(), expected);
    EXPECT_EQ(ask(NPPM_GETPOSFROMBUFFERID, untitled, 0), -1);

    ASSERT_TRUE(host->openFile(writeFile(L"second.log", "67")));
    EXPECT_EQ(tabNames(host->tabStrip(0)),
              (std::vector<std::wstring>{L"first.log", L"second.log"}));
    EXPECT_EQ(textOf(host->mainView()), "67");
}

TEST_F(MiniHostOpening, AChangedOrClonedNewDocumentKeepsItsTab) {
    host = std::make_unique<MiniHost>(configDirectory);
    SendMessageW(host->mainView(), SCI_APPENDTEXT, 1, reinterpret_cast<LPARAM>("x"));
    SendMessageW(host->mainView(), SCI_CLEARALL, 0, 0);  // empty again, but modified
    ASSERT_TRUE(host->openFile(writeFile(L"a.txt", "a")));
    EXPECT_EQ(host->tabs(0).size(), 2u);

    host->closeDocument(host->tabs(0).at(0));
    const BufferId untitled = host->newDocument(0, "");
    host->closeDocument(host->tabs(0).at(0));
    ASSERT_EQ(host->tabs(0), std::vector<BufferId>{untitled});
    ASSERT_TRUE(host->cloneDocument(untitled, 1));
    ASSERT_TRUE(host->openFile(writeFile(L"b.txt", "b")));
    EXPECT_EQ(host->tabs(0).size(), 2u);
    EXPECT_EQ(host->tabs(1).back(), untitled);
}

using MiniHostBufferMessages = MiniHostTabs;

TEST_F(MiniHostBufferMessages, TheCurrentBufferIsTheOneTheCurrentViewShows) {
    startHost();
    const BufferId second = host->newDocument(1, "second view");
    EXPECT_EQ(ask(NPPM_GETCURRENTBUFFERID, 0, 0), static_cast<LRESULT>(host->shownBuffer(0)));
    clearLog();
    ASSERT_TRUE(host->setCurrentView(1));
    EXPECT_EQ(ask(NPPM_GETCURRENTBUFFERID, 0, 0), static_cast<LRESULT>(second));
    EXPECT_EQ(host->currentBuffer(), second);
    EXPECT_TRUE(log().empty());  // a change of view alone tells nothing
}

TEST_F(MiniHostBufferMessages, APositionIsLookedUpInTheGivenViewFirst) {
    host = std::make_unique<MiniHost>(configDirectory);
    const BufferId both = host->newDocument(0, "both");
    const BufferId secondOnly = host->shownBuffer(1);
    ASSERT_TRUE(host->cloneDocument(both, 1));
    EXPECT_EQ(ask(NPPM_GETPOSFROMBUFFERID, both, 0), positionOf(0, 1));
    EXPECT_EQ(ask(NPPM_GETPOSFROMBUFFERID, both, 1), positionOf(1, 1));
    EXPECT_EQ(ask(NPPM_GETPOSFROMBUFFERID, secondOnly, 0), positionOf(1, 0));
    EXPECT_EQ(ask(NPPM_GETPOSFROMBUFFERID, host->tabs(0).at(0), 1), positionOf(0, 0));

    ASSERT_TRUE(host->closeDocument(both));
    EXPECT_EQ(ask(NPPM_GETPOSFROMBUFFERID, both, 0), -1);
    EXPECT_EQ(ask(NPPM_GETPOSFROMBUFFERID, both, 1), -1);
    EXPECT_EQ(ask(NPPM_GETPOSFROMBUFFERID, 0, 0), -1);
    EXPECT_EQ(ask(NPPM_GETPOSFROMBUFFERID, 98765, 0), -1);
}

TEST_F(MiniHostBufferMessages, ActivatingADocumentMakesItsViewCurrentAndAnnouncesIt) {
    startHost();
    const BufferId target = host->shownBuffer(1);
    host->newDocument(1, "last");
    clearLog();
    EXPECT_EQ(ask(NPPM_ACTIVATEDOC, 1, 0), TRUE);
    EXPECT_EQ(host->currentView(), 1);
    EXPECT_EQ(host->currentBuffer(), target);
    EXPECT_EQ(textOf(host->secondView()), "");
    EXPECT_EQ(SendMessageW(host->tabStrip(1), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(log(), (std::vector<std::string>{notified(NPPN_BUFFERACTIVATED, target),
                                               hostState(target, positionOf(1, 0), 0)}));

    // The tab shown already: still made current and announced, as asked.
    clearLog();
    ASSERT_TRUE(host->setCurrentView(0));
    EXPECT_TRUE(host->activateDocument(1, 0));
    EXPECT_EQ(host->currentView(), 1);
    EXPECT_EQ(count("notify 1010"), 1u);
}

TEST_F(MiniHostBufferMessages, ActivatingAViewOrTabThatDoesNotExistDoesNothing) {
    startHost();
    const BufferId shown = host->newDocument(0, "shown");
    clearLog();
    EXPECT_EQ(ask(NPPM_ACTIVATEDOC, 2, 0), FALSE);
    EXPECT_EQ(ask(NPPM_ACTIVATEDOC, 1, 1), FALSE);
    EXPECT_EQ(ask(NPPM_ACTIVATEDOC, 0, 2), FALSE);
    EXPECT_EQ(ask(NPPM_ACTIVATEDOC, 0, -1), FALSE);
    // A view number whose low bits are 1 is still no view (its top bit set, in either build).
    EXPECT_EQ(ask(NPPM_ACTIVATEDOC, (WPARAM{1} << (8 * sizeof(WPARAM) - 1)) | 1, 0), FALSE);
    EXPECT_FALSE(host->activateDocument(-1, 0));
    EXPECT_EQ(host->currentView(), 0);
    EXPECT_EQ(host->currentBuffer(), shown);
    EXPECT_TRUE(log().empty());
}

using MiniHostClosing = MiniHostTabs;

TEST_F(MiniHostClosing, TellsBeforeTheDocumentGoesThenShowsTheRightNeighbour) {
    startHost();
    const BufferId left = host->shownBuffer(0);
    const BufferId closed = host->newDocument(0, "12345");
    const BufferId right = host->newDocument(0, "67");
    ASSERT_TRUE(host->activateDocument(0, 1));
    clearLog();

    ASSERT_TRUE(host->closeDocument(closed));
    const std::vector<std::string> expected = {
        notified(NPPN_FILEBEFORECLOSE, closed), hostState(closed, 1, 5),
        notified(NPPN_BUFFERACTIVATED, right), hostState(right, 1, 2)};
    EXPECT_EQ(log(), expected);
    EXPECT_EQ(host->tabs(0), (std::vector<BufferId>{left, right}));
    EXPECT_EQ(tabNames(host->tabStrip(0)), (std::vector<std::wstring>{L"new 1", L"new 4"}));
    EXPECT_EQ(SendMessageW(host->tabStrip(0), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(textOf(host->mainView()), "67");
    EXPECT_FALSE(host->closeDocument(closed));
}

TEST_F(MiniHostClosing, TheLastTabGivesWayToItsLeftNeighbour) {
    startHost();
    const BufferId left = host->shownBuffer(0);
    const BufferId last = host->newDocument(0, "last");
    clearLog();
    SendMessageW(host->mainWindow(), WM_COMMAND, MAKEWPARAM(MenuBar::kCommandCloseDocument, 0), 0);
    EXPECT_EQ(host->tabs(0), std::vector<BufferId>{left});
    EXPECT_EQ(find(notified(NPPN_FILEBEFORECLOSE, last)), 0);
    EXPECT_EQ(find(notified(NPPN_BUFFERACTIVATED, left)), 2);
}

TEST_F(MiniHostClosing, ADocumentTheCurrentViewDoesNotShowGoesQuietly) {
    startHost();
    const BufferId hidden = host->shownBuffer(0);
    const BufferId stays = host->newDocument(0, "stays");
    const BufferId elsewhere = host->newDocument(1, "other view");
    clearLog();
    ASSERT_TRUE(host->closeDocument(hidden));
    ASSERT_TRUE(host->closeDocument(elsewhere));
    EXPECT_EQ(log(), (std::vector<std::string>{notified(NPPN_FILEBEFORECLOSE, hidden),
                                               hostState(stays, 0, 5),
                                               notified(NPPN_FILEBEFORECLOSE, elsewhere),
                                               hostState(stays, positionOf(1, 1), 5)}));
    EXPECT_EQ(host->tabs(0), std::vector<BufferId>{stays});
    EXPECT_EQ(SendMessageW(host->tabStrip(0), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(host->tabs(1).size(), 1u);
    EXPECT_EQ(textOf(host->secondView()), "");
}

TEST_F(MiniHostClosing, AClonedDocumentLeavesBothViewsAndAnEmptyViewGetsANewOne) {
    startHost();
    const BufferId cloned = host->shownBuffer(0);
    const BufferId second = host->shownBuffer(1);
    SendMessageW(host->mainView(), SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("text"));
    ASSERT_TRUE(host->cloneDocument(cloned, 1));
    clearLog();

    ASSERT_TRUE(host->closeDocument(cloned));
    const BufferId fresh = host->shownBuffer(0);
    EXPECT_NE(fresh, cloned);
    EXPECT_EQ(host->tabs(0), std::vector<BufferId>{fresh});
    EXPECT_EQ(tabNames(host->tabStrip(0)), std::vector<std::wstring>{L"new 1"});
    EXPECT_EQ(textOf(host->mainView()), "");
    EXPECT_EQ(SendMessageW(host->mainView(), SCI_GETCODEPAGE, 0, 0), 65001);
    EXPECT_EQ(host->tabs(1), std::vector<BufferId>{second});
    EXPECT_EQ(textOf(host->secondView()), "");
    EXPECT_NE(documentOf(host->mainView()), documentOf(host->secondView()));
    EXPECT_EQ(log(), (std::vector<std::string>{
                         notified(NPPN_FILEBEFORECLOSE, cloned), hostState(cloned, 0, 4),
                         notified(NPPN_BUFFERACTIVATED, fresh), hostState(fresh, 0, 0)}));
}

TEST_F(MiniHostClosing, UnknownDocumentsAreNotClosed) {
    startHost();
    clearLog();
    EXPECT_FALSE(host->closeDocument(0));
    EXPECT_FALSE(host->closeDocument(4242));
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(host->tabs(0).size(), 1u);
}

using MiniHostTabClicks = MiniHostTabs;

TEST_F(MiniHostTabClicks, AClickOnATabShowsItAndMakesItsViewCurrent) {
    startHost();
    const BufferId clicked = host->shownBuffer(1);
    host->newDocument(1, "right");
    clearLog();

    const HWND strip = host->tabStrip(1);
    RECT tab{};
    ASSERT_TRUE(SendMessageW(strip, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab)));
    const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    PostMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(strip, WM_LBUTTONUP, 0, point);
    host->pumpMessages();

    EXPECT_EQ(host->currentView(), 1);
    EXPECT_EQ(host->currentBuffer(), clicked);
    EXPECT_EQ(SendMessageW(strip, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(log(), (std::vector<std::string>{notified(NPPN_BUFFERACTIVATED, clicked),
                                               hostState(clicked, positionOf(1, 0), 0)}));
}

using MiniHostEditorNotifications = MiniHostTabs;

// What the plugin is built around: every view that shows a document reports each change to
// it, and an undo announces its change, with the undo bit, before it reports it. A reload
// is the exception: no window reports it, and the buffer is announced twice instead.
TEST_F(MiniHostEditorNotifications, EveryEditorShowingADocumentReportsEachChange) {
    SetEnvironmentVariableW(L"MINIHOST_TEST_PLUGIN_EDITS", L"1");
    startHost();
    const BufferId id = host->newDocument(0, "abc");
    ASSERT_TRUE(host->cloneDocument(id, 1));
    clearLog();
    SendMessageW(host->secondView(), SCI_INSERTTEXT, 1, reinterpret_cast<LPARAM>("X\n"));
    SendMessageW(host->mainView(), SCI_UNDO, 0, 0);

    // Each change as "kind position length lines", with the windows that reported it.
    const std::string document = " document=" + std::to_string(documentOf(host->mainView()));
    std::vector<std::pair<std::string, std::string>> changes;
    bool undoAnnounced = false;
    for (const std::string& line : log()) {
        int type = 0;
        long long position = 0, length = 0, lines = 0;
        const auto fields = line.find(" type=");
        ASSERT_NE(line.find(document), std::string::npos) << line;
        ASSERT_EQ(sscanf(line.c_str() + fields, " type=%d position=%lld length=%lld lines=%lld",
                         &type, &position, &length, &lines),
                  4)
            << line;
        undoAnnounced |= (type & 0x800) != 0 && (type & 0x20) != 0 && changes.size() == 1;
        if ((type & 0x3) == 0) continue;
        const std::string change = std::string(type & 0x1 ? "insert " : "delete ") +
                                   (type & 0x20 ? "undo " : "") + std::to_string(position) + " " +
                                   std::to_string(length) + " " + std::to_string(lines);
        const std::string from = line.substr(0, fields).substr(0, line.find(" document="));
        const std::string who = from == "edit from=" + number(host->mainView())     ? "main"
                                : from == "edit from=" + number(host->secondView()) ? "second"
                                                                                    : "other";
        if (changes.empty() || changes.back().first != change) changes.push_back({change, ""});
        changes.back().second += who + " ";
    }
    EXPECT_TRUE(undoAnnounced);
    EXPECT_EQ(changes,
              (std::vector<std::pair<std::string, std::string>>{
                  {"insert 1 2 1", "main second "}, {"delete undo 1 2 -1", "main second "}}));

    clearLog();
    ASSERT_TRUE(host->reloadDocument(id, "fresh"));
    SetEnvironmentVariableW(L"MINIHOST_TEST_PLUGIN_EDITS", nullptr);
    const std::vector<std::string> twice = {
        notified(NPPN_BUFFERACTIVATED, id), hostState(id, positionOf(0, 1), 5),
        notified(NPPN_BUFFERACTIVATED, id), hostState(id, positionOf(0, 1), 5)};
    EXPECT_EQ(log(), twice);
}

// What to type into the Replace All dialog, which only comes up inside the menu command.
struct ReplaceAnswer {
    const wchar_t* find;
    const wchar_t* replacement;
    bool given = false;
};
ReplaceAnswer* pendingAnswer = nullptr;

// Runs in the dialog's modal loop: fills the boxes and presses Replace All.
void CALLBACK answerReplaceDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowW(L"#32770", L"Replace All");
    if (dialog == nullptr || pendingAnswer == nullptr) return;
    KillTimer(nullptr, timer);
    SetDlgItemTextW(dialog, kReplaceFindBox, pendingAnswer->find);
    SetDlgItemTextW(dialog, kReplaceReplacementBox, pendingAnswer->replacement);
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    pendingAnswer->given = true;
}

// The host's changes that it tells plugins of in its own way, or not at all.
class MiniHostQuietChanges : public MiniHostTabs {
protected:
    static constexpr int kIndicator = 25;

    void SetUp() override {
        MiniHostTabs::SetUp();
        SetEnvironmentVariableW(L"MINIHOST_TEST_PLUGIN_EDITS", L"1");
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"MINIHOST_TEST_PLUGIN_EDITS", nullptr);
        MiniHostTabs::TearDown();
    }

    static void appendTo(const std::filesystem::path& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
    }
    static LRESULT send(HWND view, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(view, message, wParam, lParam);
    }
    // The two announcements of a reloaded buffer, with what the host shows meanwhile: the
    // current buffer, where the reloaded one is, and the current view's length.
    std::vector<std::string> reloaded(BufferId id, BufferId current, LRESULT position,
                                      int length) const {
        const std::vector<std::string> once = {notified(NPPN_BUFFERACTIVATED, id),
                                               hostState(current, position, length)};
        std::vector<std::string> lines = once;
        lines.insert(lines.end(), once.begin(), once.end());
        return lines;
    }
};

TEST_F(MiniHostQuietChanges, AShownDocumentIsReloadedInPlaceUnreportedThenAnnouncedTwice) {
    startHost();
    const BufferId id = host->newDocument(0, "old text\nline two\n");
    ASSERT_TRUE(host->cloneDocument(id, 1));
    const HWND main = host->mainView();
    const LRESULT document = documentOf(main);
    send(main, SCI_SETINDICATORCURRENT, kIndicator);
    send(main, SCI_INDICATORFILLRANGE, 0, 12);
    send(main, SCI_APPENDTEXT, 1, reinterpret_cast<LPARAM>("!"));
    send(main, SCI_SETSEL, 3, 6);
    clearLog();

    ASSERT_TRUE(host->reloadDocument(id, "new\ntext"));
    EXPECT_EQ(log(), reloaded(id, id, positionOf(0, 1), 8));
    for (const HWND view : {main, host->secondView()}) {
        EXPECT_EQ(documentOf(view), document);
        EXPECT_EQ(textOf(view), "new\ntext");
        EXPECT_EQ(send(view, SCI_GETMODEVENTMASK), kHostModificationMask);
    }
    for (LRESULT position = 0; position < 8; ++position)
        EXPECT_EQ(send(main, SCI_INDICATORVALUEAT, kIndicator, position), 0) << position;
    EXPECT_EQ(send(main, SCI_GETMODIFY), 0);
    EXPECT_EQ(send(main, SCI_CANUNDO), 0);
    EXPECT_EQ(send(main, SCI_GETANCHOR), 3);
    EXPECT_EQ(send(main, SCI_GETCURRENTPOS), 6);

    // Shown only in the view that is not current, it is still announced, by its id.
    const BufferId other = host->newDocument(1, "other");
    clearLog();
    ASSERT_TRUE(host->reloadDocument(other, "xy"));
    EXPECT_EQ(log(), reloaded(other, id, positionOf(1, 2), 8));
    EXPECT_FALSE(host->reloadDocument(4242, "none"));
}

TEST_F(MiniHostQuietChanges, ABackgroundDocumentIsReloadedWhenShownNext) {
    startHost();
    const BufferId background = host->newDocument(0, "old");
    host->newDocument(0, "front");
    clearLog();
    ASSERT_TRUE(host->reloadDocument(background, "first"));
    ASSERT_TRUE(host->reloadDocument(background, "reloaded"));
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(textOf(host->mainView()), "front");

    ASSERT_TRUE(host->activateDocument(0, 1));
    EXPECT_EQ(textOf(host->mainView()), "reloaded");
    EXPECT_EQ(send(host->mainView(), SCI_CANUNDO), 0);
    EXPECT_EQ(log(), (std::vector<std::string>{notified(NPPN_BUFFERACTIVATED, background),
                                               hostState(background, 1, 8)}));
}

TEST_F(MiniHostQuietChanges, AMonitoredFileIsReloadedWhenItChangesOnDisk) {
    startHost();
    const auto path = writeFile(L"tail.log", "one\n");
    ASSERT_TRUE(host->openFile(path));
    const BufferId tailed = host->currentBuffer();
    EXPECT_FALSE(host->setMonitoring(host->shownBuffer(1), true));  // no file
    EXPECT_FALSE(host->setMonitoring(4242, true));
    SendMessageW(host->mainWindow(), WM_COMMAND, MAKEWPARAM(MenuBar::kCommandMonitoring, 0), 0);
    ASSERT_TRUE(host->isMonitoring(tailed));
    clearLog();
    host->checkFilesOnDisk();
    EXPECT_TRUE(log().empty());  // unchanged since it was read

    appendTo(path, "two\n");
    host->checkFilesOnDisk();
    EXPECT_EQ(textOf(host->mainView()), "one\ntwo\n");
    EXPECT_EQ(log(), reloaded(tailed, tailed, 0, 8));

    // In a background tab, the change waits for the tab to be shown.
    host->newDocument(0, "front");
    appendTo(path, "three\n");
    clearLog();
    host->checkFilesOnDisk();
    EXPECT_TRUE(log().empty());
    ASSERT_TRUE(host->activateDocument(0, 0));
    EXPECT_EQ(textOf(host->mainView()), "one\ntwo\nthree\n");
    EXPECT_EQ(count("notify 1010"), 1u);

    // Unwatched, only Reload from Disk reads the file again.
    ASSERT_TRUE(host->setMonitoring(tailed, false));
    appendTo(path, "four\n");
    host->checkFilesOnDisk();
    EXPECT_EQ(textOf(host->mainView()), "one\ntwo\nthree\n");
    clearLog();
    SendMessageW(host->mainWindow(), WM_COMMAND, MAKEWPARAM(MenuBar::kCommandReloadFromDisk, 0), 0);
    EXPECT_EQ(textOf(host->mainView()), "one\ntwo\nthree\nfour\n");
    EXPECT_EQ(log(), reloaded(tailed, tailed, 0, 19));
    EXPECT_FALSE(host->reloadFromDisk(host->shownBuffer(1)));
}

TEST_F(MiniHostQuietChanges, ReplaceAllReplacesEachMatchOnceAsOneUndoAction) {
    struct Case {
        const char* find;
        const char* replacement;
        int count;
        const char* text;
    };
    const char* const original = "Cat cat CAT dog cat";
    const Case cases[] = {{"cat", "cats", 4, "cats cats cats dog cats"},
                          {"a", "aa", 4, "Caat caat CaaT dog caat"},
                          {"CAT ", "", 3, "dog cat"},
                          {"", "x", 0, original},
                          {"zebra", "x", 0, original}};
    host = std::make_unique<MiniHost>(configDirectory);
    for (const Case& test : cases) {
        host->newDocument(0, original);
        EXPECT_EQ(host->replaceAll(test.find, test.replacement), test.count) << test.find;
        EXPECT_EQ(textOf(host->mainView()), test.text) << test.find;
        send(host->mainView(), SCI_UNDO);
        EXPECT_EQ(textOf(host->mainView()), original) << test.find;
        EXPECT_EQ(send(host->mainView(), SCI_CANUNDO), 0) << test.find;
    }
}

TEST_F(MiniHostQuietChanges, ReplaceAllFromTheMenuTakesTheDialogsTextsInTheDocumentsBytes) {
    startHost();
    const BufferId id = host->newDocument(0, "\xC3\xA9t\xC3\xA9 or ete");
    ReplaceAnswer answer{L"\u00E9t\u00E9", L"\u00E0"};
    pendingAnswer = &answer;
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &answerReplaceDialog);
    clearLog();
    PostMessageW(host->mainWindow(), WM_COMMAND, MAKEWPARAM(MenuBar::kCommandReplaceAll, 0), 0);
    host->pumpMessages();
    pendingAnswer = nullptr;
    ASSERT_TRUE(answer.given);
    EXPECT_EQ(textOf(host->mainView()), "\xC3\xA0 or ete");
    EXPECT_EQ(log(),
              std::vector<std::string>{"notify 1030 from=" + std::to_string(id) + " id=0 panel=0"});
}

TEST_F(MiniHostQuietChanges, ReplaceAllIsReportedOnlyByTheCloneThenAnnouncedWithTheBufferId) {
    startHost();
    ASSERT_TRUE(host->setCurrentView(1));
    const BufferId id = host->newDocument(1, "a-b-a");
    ASSERT_TRUE(host->cloneDocument(id, 0));
    const int ownMask = SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT;
    send(host->secondView(), SCI_SETMODEVENTMASK, ownMask);
    clearLog();

    EXPECT_EQ(host->replaceAll("A", "xyz"), 2);
    EXPECT_EQ(send(host->secondView(), SCI_GETMODEVENTMASK), ownMask);
    EXPECT_EQ(send(host->mainView(), SCI_GETMODEVENTMASK), kHostModificationMask);
    // Each replacement is a deletion and an insertion, reported by the main view alone.
    const std::string fromMain = "edit from=" + number(host->mainView()) + " ";
    const std::vector<std::string> lines = log();
    ASSERT_EQ(lines.size(), 5u);
    for (std::size_t index = 0; index < 4; ++index)
        EXPECT_TRUE(lines[index].starts_with(fromMain)) << lines[index];
    EXPECT_EQ(lines.back(), "notify 1030 from=" + std::to_string(id) + " id=0 panel=0");

    clearLog();
    EXPECT_EQ(host->replaceAll("absent", "x"), 0);
    EXPECT_TRUE(log().empty());
}

}  // namespace
}  // namespace tarnwick::minihost::testing
