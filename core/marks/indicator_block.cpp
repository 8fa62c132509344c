#include "core/marks/indicator_block.hpp"

#include <algorithm>

#include "core/marks/current_view.hpp"
#include "core/marks/modification_events_off.hpp"
#include "host/editor_messages.hpp"
#include "host/host_messages.hpp"
#include "host/send_message.hpp"

namespace tarnwick {

namespace {

// The look shared by all ten indicators; only the colour differs.
constexpr std::intptr_t kFillAlpha = 80;
constexpr std::intptr_t kOutlineAlpha = 220;
constexpr std::intptr_t kDrawnUnderText = 1;

std::uintptr_t asWParam(std::int32_t indicator) {
    return static_cast<std::uintptr_t>(indicator);
}

}  // namespace

void IndicatorBlock::allocate(WindowHandle host) {
    std::int32_t first = 0;
    const auto granted = static_cast<std::int32_t>(sendMessage(
        host, NPPM_ALLOCATEINDICATOR, kIndicatorCount, reinterpret_cast<std::intptr_t>(&first)));
    if (granted != 0 && first > 0) baseIndicator_ = first;
}

void IndicatorBlock::clear(const EditorView& view) const {
    const std::intptr_t documentLength = view.send(SCI_GETLENGTH);
    for (std::int32_t k = 0; k < kIndicatorCount; ++k) {
        view.send(SCI_SETINDICATORCURRENT, asWParam(baseIndicator_ + k));
        view.send(SCI_INDICATORCLEARRANGE, 0, documentLength);
    }
}

void IndicatorBlock::clearRanges(const EditorView& view,
                                 const std::vector<MarkRange>& ranges) const {
    for (const MarkRange& range : ranges) {
        if (range.entryIndex < 0 || range.entryIndex >= kIndicatorCount) continue;
        view.send(SCI_SETINDICATORCURRENT, asWParam(baseIndicator_ + range.entryIndex));
        view.send(SCI_INDICATORCLEARRANGE, static_cast<std::uintptr_t>(range.start),
                  static_cast<std::intptr_t>(range.end - range.start));
    }
}

void IndicatorBlock::styleIndicator(const EditorView& view, std::int32_t indicator,
                                    Colorref color) const {
    view.send(SCI_INDICSETSTYLE, asWParam(indicator), INDIC_ROUNDBOX);
    view.send(SCI_INDICSETFORE, asWParam(indicator), static_cast<std::intptr_t>(color));
    view.send(SCI_INDICSETALPHA, asWParam(indicator), kFillAlpha);
    view.send(SCI_INDICSETOUTLINEALPHA, asWParam(indicator), kOutlineAlpha);
    view.send(SCI_INDICSETUNDER, asWParam(indicator), kDrawnUnderText);
}

void IndicatorBlock::restyle(const EditorView& view, const SearchList& list,
                             std::size_t index) const {
    if (index >= list.size() || index >= static_cast<std::size_t>(kIndicatorCount)) return;
    styleIndicator(view, baseIndicator_ + static_cast<std::int32_t>(index), list[index].color);
}

void IndicatorBlock::apply(const EditorView& view, const SearchList& list,
                           const MatchList& matches) const {
    prepare(view, list);
    fill(view, matches);
}

void IndicatorBlock::prepare(const EditorView& view, const SearchList& list) const {
    clear(view);
    style(view, list);
}

void IndicatorBlock::style(const EditorView& view, const SearchList& list) const {
    const std::size_t styled = std::min<std::size_t>(list.size(), kIndicatorCount);
    for (std::size_t i = 0; i < styled; ++i) {
        if (list[i].enabled)
            styleIndicator(view, baseIndicator_ + static_cast<std::int32_t>(i), list[i].color);
    }
}

void IndicatorBlock::fill(const EditorView& view, const MatchList& matches) const {
    fill(view, matches, 0, matches.size());
}

void IndicatorBlock::fill(const EditorView& view, const MatchList& matches, std::size_t first,
                          std::size_t end) const {
    end = std::min(end, matches.size());
    for (std::size_t row = first; row < end; ++row) {
        const SearchMatch& match = matches[row];
        if (match.entryIndex >= kIndicatorCount) continue;
        view.send(SCI_SETINDICATORCURRENT, asWParam(baseIndicator_ + match.entryIndex));
        view.send(SCI_INDICATORFILLRANGE, static_cast<std::uintptr_t>(match.position),
                  static_cast<std::intptr_t>(match.length));
    }
}

bool IndicatorBlock::marksKept(const EditorView& view, const MatchList& matches) const {
    const auto marked = std::find_if(matches.begin(), matches.end(), [](const SearchMatch& match) {
        return match.entryIndex < kIndicatorCount;
    });
    return marked == matches.end() ||
           view.send(SCI_INDICATORVALUEAT, asWParam(baseIndicator_ + marked->entryIndex),
                     static_cast<std::intptr_t>(marked->position)) != 0;
}

void reapplyHighlights(const NppData& hostHandles, const SearchList& list, const MatchList& matches,
                       const IndicatorBlock& indicators, MarkedDocuments& marks) {
    if (matches.empty() && !marks.anyStale()) return;
    const WindowHandle view = currentView(hostHandles);
    if (view == nullptr) return;
    const std::intptr_t shown = documentShownIn(view);
    const MarkedDocuments::Action action = marks.shown(shown);
    if (action == MarkedDocuments::Action::nothing) return;
    const ModificationEventsOff quiet(hostHandles, view, shown);
    if (action == MarkedDocuments::Action::clear)
        indicators.clear(EditorView(view));
    else if (indicators.marksKept(EditorView(view), matches))
        indicators.style(EditorView(view), list);  // the view may not have the styles yet
    else
        indicators.apply(EditorView(view), list, matches);
}

}  // namespace tarnwick
