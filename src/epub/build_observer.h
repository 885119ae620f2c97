#pragma once
// The phases of a build, as the window's status line follows them.

namespace velmora {

enum class BuildPhase {
    Started,
    PackageDocument,
    NavigationDocument,
    TitlePage,
    Cover,
    Packing,
    Done,
    Failed,
};

class BuildObserver {
public:
    virtual ~BuildObserver() = default;
    virtual void PhaseChanged(BuildPhase phase) = 0;
};

}  // namespace velmora
