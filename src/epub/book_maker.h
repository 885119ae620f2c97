#pragma once
// The build: completes the run's epub tree and has the archiver pack it into
// finished/我的歌词本.epub, announcing each phase in the status label.

#include <filesystem>
#include <memory>

#include "epub/archiver.h"
#include "epub/build_view.h"
#include "workspace/clock.h"
#include "workspace/workspace.h"

namespace velmora {

class BookMaker {
public:
    BookMaker(const Workspace& run, const Clock& clock, BuildView& view);
    // A build still running is stopped; its temporary archive goes with it.
    ~BookMaker();
    BookMaker(const BookMaker&) = delete;
    BookMaker& operator=(const BookMaker&) = delete;

    // Writes mimetype, content.opf, toc.ncx, titlepage.xhtml and cover.jpeg afresh and
    // starts the archiver on a temporary archive; Poll() finishes the build. Refused with
    // a message while a build runs. Raises a Failure, with the status "制作失败".
    void MakeBook();

    bool Running() const { return packer_ != nullptr; }

    // Does not block. When the archiver has finished, puts the book in place of the old
    // one and shows "制作完成"; true once the build has ended. Raises a Failure, with the
    // status "制作失败"; the old book then stays as it was.
    bool Poll();

    std::filesystem::path BookPath() const;

private:
    void WriteTree();
    void StartPacking();
    void Finish();
    [[noreturn]] void Fail();
    std::filesystem::path TemporaryBookPath() const;

    const Workspace& run_;
    const Clock& clock_;
    BuildView& view_;
    std::unique_ptr<ContainerPacker> packer_;
};

}  // namespace velmora
