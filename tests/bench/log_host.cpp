#include "log_host.hpp"

#include <commctrl.h>

#include <stdexcept>

#include "bench_tools.hpp"
#include "minihost/scintilla_messages.hpp"
#include "resources/resource.h"

namespace tarnwick::bench {

namespace {

using minihost::MiniHost;

}  // namespace

LogInHost::LogInHost(const std::filesystem::path& settingsFolder, const DocumentShape& log,
                     std::string_view other)
    : host_(settingsFolder) {
    writeSettings(settingsFolder, log.needles);
    loadPlugin(host_);
    SendMessageW(host_.mainView(), SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(log.text.c_str()));
    log_ = host_.shownBuffer(MiniHost::kMainViewIndex);
    if (host_.newDocument(MiniHost::kSecondViewIndex, other) == 0)
        throw std::runtime_error("the other document did not open");
    panel_ = openPanel(host_);
}

void LogInHost::holdLogResults() {
    searchIn(host_, panel_, MiniHost::kMainViewIndex);
}

double LogInHost::holdOtherResults() {
    host_.setCurrentView(MiniHost::kSecondViewIndex);
    const double seconds = secondsOf([&] { searchToEnd(panel_); });
    host_.pumpMessages();
    host_.setCurrentView(MiniHost::kMainViewIndex);
    return seconds;
}

void LogInHost::reloadLog(std::string_view text) {
    host_.reloadDocument(log_, text);
    host_.pumpMessages();
}

std::size_t LogInHost::listedResults() const {
    return static_cast<std::size_t>(
        SendDlgItemMessageW(panel_, IDC_RESULTS_LIST, LVM_GETITEMCOUNT, 0, 0));
}

}  // namespace tarnwick::bench
