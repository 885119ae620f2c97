#pragma once
// The build: completes the run's epub tree and has the archiver pack it into
// finished/我的歌词本.epub, announcing each phase in the status label. The book holds the
// songs of the moment the build began; songs added while it packs go into the next one.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "epub/archiver.h"
#include "epub/build_view.h"
#include "platform/clock.h"
#include "workspace/workspace.h"

namespace velmora {

class BookMaker {
public:
    BookMaker(Workspace& run, const Clock& clock, BuildView& view);

    // The cover's JPEG bytes, or nothing for the template's; it may raise a Failure.
    using Cover = std::function<std::optional<std::string>()>;

    // Takes the cover, re-creates what of the run has gone, writes mimetype, content.opf,
    // toc.ncx, titlepage.xhtml and cover.jpeg afresh and starts the archiver; Poll()
    // finishes the build. Refused with a message while a build runs. Any error ends the
    // build with the status "制作失败" and is raised again; the old book stays as it was.
    void MakeBook(const Cover& cover = {});

    bool Running() const { return packer_ != nullptr; }

    // Does not block. When the archiver has finished, puts the book in place of the old
    // one in one step and shows "制作完成"; true once the build has ended. Errors as for
    // MakeBook.
    bool Poll();

    std::filesystem::path BookPath() const { return run_.Layout().BookPath(); }

    // Writes the finished book also where the save-path box asks: into a folder as
    // 我的歌词本.epub, or as a file (".epub" added to a name without an extension). A
    // relative text, or the book's own folder, asks for nothing. A file there is replaced
    // only once the copy is whole. Raises a Failure naming the target.
    void CopyBook(std::u16string_view saveBox) const;

private:
    void WriteTree(const std::optional<std::string>& cover);
    void StartPacking();
    void Deliver();
    // What the book holds: the fixed files and every file the manifest names.
    std::vector<std::string> Entries() const;

    void End();

    Workspace& run_;
    const Clock& clock_;
    BuildView& view_;
    // Pages the packer reads stay until it has done, whatever the collection does meanwhile.
    std::unique_ptr<Workspace::PageHold> hold_;
    std::unique_ptr<ContainerPacker> packer_;
};

}  // namespace velmora
