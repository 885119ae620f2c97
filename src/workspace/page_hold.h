#pragma once
// The pages the collection lets go of: set aside while the change that drops them can still
// be taken back, removed once it is made, and kept on disk while a build packs them
// (Workspace::PageHold).

#include <filesystem>

#include "workspace/workspace.h"

namespace velmora {

// A page the collection lets go of. It is set aside at once, so that the change can still
// be taken back (by the destructor), and removed once the change is made (Commit). While
// a build packs it, it stays where it is until the build ends.
class Workspace::LetGo {
public:
    LetGo(Workspace& run, std::filesystem::path page);
    ~LetGo();
    LetGo(const LetGo&) = delete;
    LetGo& operator=(const LetGo&) = delete;

    void Commit() noexcept;

private:
    Workspace& run_;
    std::filesystem::path page_;
    std::filesystem::path aside_;
    bool setAside_ = false;
};

}  // namespace velmora
