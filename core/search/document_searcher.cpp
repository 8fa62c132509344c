#include "core/search/document_searcher.hpp"

#include <new>

#include "core/search/search_run.hpp"

namespace tarnwick {

MatchList DocumentSearcher::searchAll(const EditorView& view, const SearchList& list) const {
    SearchRun run(view, list);
    if (run.finish() == SearchRun::State::outOfMemory) throw std::bad_alloc();
    return run.takeMatches();
}

}  // namespace tarnwick
