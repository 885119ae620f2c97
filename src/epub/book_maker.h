#pragma once
// The build: completes the run's epub tree and has the archiver pack it into
// finished/<title>.epub, telling each phase to the observer. The book holds the songs of
// the moment the build began; songs added while it packs go into the next one.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "epub/archiver.h"
#include "epub/book_info.h"
#include "epub/build_observer.h"
#include "platform/clock.h"
#include "text/failure.h"
#include "workspace/earlier_runs.h"
#include "workspace/workspace.h"

namespace velmora {

// What the user asked for when the build began.
struct BuildRequest {
    // The cover's JPEG bytes, or nothing for the template's; it may raise a Failure.
    std::function<std::optional<std::string>()> cover;
    // Where a copy of the book goes besides finished/ (RunLayout::SavePlace); empty: none.
    std::filesystem::path savePlace;
    BookInfo book;
};

struct BuildResult {
    std::filesystem::path book;
    // Where the copy went; empty when none was asked for or the place is the book itself.
    std::filesystem::path copy;
    // Why the copy asked for was not made (CannotSaveBook): the book is made all the same.
    std::optional<Failure> copyFailure;
    // The song log's length when the build began: the book holds the songs it gave.
    std::uint64_t journalLength = 0;
    BookInfo info;
    std::size_t songs = 0;
};

class BookMaker {
public:
    BookMaker(Workspace& run, const Clock& clock, BuildObserver& observer);

    // Takes the cover, re-creates what of the run has gone, writes mimetype, content.opf,
    // toc.ncx, titlepage.xhtml and cover.jpeg afresh (and a named book's own pages) and starts the
    // archiver; Poll() finishes the build. False, and nothing done, while a build runs. Any error
    // ends the build (phase Failed) and is raised again; the old book stays as it was.
    bool MakeBook(BuildRequest request);

    bool Running() const { return packer_ != nullptr; }

    // Does not block. When the archiver has finished, puts the book in place of the old
    // one in one step (phase Done), marks the run as built that far, and copies the book
    // to the save place: the result once the build has ended. Errors as for MakeBook.
    std::optional<BuildResult> Poll();
    // Readable once the archiver has ended: an event loop watching it polls the moment the
    // book is ready, and needs no quick timer. -1 when no build runs or the system cannot
    // tell; the descriptor closes when Poll() ends the build.
    int ArchiverEnd() const { return packer_ ? packer_->EndDescriptor() : -1; }

    // The book of the last build asked for (the default book's before any).
    std::filesystem::path BookPath() const { return run_.Layout().BookPath(book_.title); }

private:
    void WriteTree(const std::optional<std::string>& cover);
    // A named book's own pages: the cover's frame, the style sheet, the front pages and
    // each song's page.
    void WriteNamedPages(std::string_view cover);
    void StartPacking();
    BuildResult Deliver();
    // What the book holds: the fixed files and every file the manifest names.
    std::vector<std::string> Entries() const;
    void Tell(BuildPhase phase) { observer_.PhaseChanged(phase); }
    void End();

    Workspace& run_;
    const Clock& clock_;
    BuildObserver& observer_;
    std::filesystem::path savePlace_;
    BookInfo book_;
    std::uint64_t pressedAt_ = 0;
    // The songs as the book holds them, marked once it is there.
    BookPrint printed_;
    // Pages the packer reads stay until it has done, whatever the collection does meanwhile.
    std::unique_ptr<Workspace::PageHold> hold_;
    std::unique_ptr<ContainerPacker> packer_;
};

}  // namespace velmora
