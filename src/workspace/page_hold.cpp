#include "workspace/page_hold.h"

#include <cerrno>
#include <utility>

#include "platform/file_system.h"
#include "text/failure.h"

namespace velmora {

namespace fs = std::filesystem;

Workspace::LetGo::LetGo(Workspace& run, fs::path page)
    : run_(run), page_(std::move(page)), aside_(run.layout_.SetAside(page_)) {
    run_.held_.reserve(run_.held_.size() + 1);
    const int error = run_.holding_ ? 0 : RenameFile(page_, aside_);
    // A page already gone has nothing to set aside.
    if (error != 0 && error != ENOENT) {
        throw Failure(Problem::CannotRemove, page_, error);
    }
    setAside_ = !run_.holding_ && error == 0;
}

Workspace::LetGo::~LetGo() {
    if (setAside_) {
        (void)RenameFile(aside_, page_);
    }
}

void Workspace::LetGo::Commit() noexcept {
    if (run_.holding_) {
        run_.held_.push_back(page_);
    } else if (setAside_) {
        // Left behind, it would go into no book: a failure here costs nothing.
        (void)RemoveFile(aside_);
    }
    setAside_ = false;
}

Workspace::PageHold::PageHold(Workspace& run) : run_(run) {
    run_.holding_ = true;
}

Workspace::PageHold::~PageHold() {
    run_.holding_ = false;
    for (const fs::path& page : run_.held_) {
        (void)RemoveFile(page);
    }
    run_.held_.clear();
}

}  // namespace velmora
