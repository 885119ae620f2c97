#include "epub/book_maker.h"

#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "platform/file_system.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "workspace/earlier_runs.h"

namespace velmora {

BookMaker::BookMaker(Workspace& run, const Clock& clock, BuildObserver& observer)
    : run_(run), clock_(clock), observer_(observer) {}

bool BookMaker::MakeBook(BuildRequest request) {
    if (Running()) {
        return false;
    }
    try {
        savePlace_ = std::move(request.savePlace);
        book_ = std::move(request.book);
        bookPath_ = std::move(request.bookPath);
        pressedAt_ = run_.JournalLength();
        WriteTree(request.cover ? request.cover() : std::nullopt);
        StartPacking();
    } catch (...) {
        End();
        Tell(BuildPhase::Failed);
        throw;
    }
    return true;
}

void BookMaker::End() {
    packer_.reset();
    hold_.reset();
}

void BookMaker::WriteTree(const std::optional<std::string>& cover) {
    const RunLayout& layout = run_.Layout();
    Tell(BuildPhase::Started);
    run_.Restore();
    // The media type goes in byte for byte: the container wants exactly those 20 bytes.
    SaveBytes(layout.Epub("mimetype"), TemplateBytes(layout.Template("mimetype")));
    Tell(BuildPhase::PackageDocument);
    WritePackageDocument(run_, clock_, book_);
    Tell(BuildPhase::NavigationDocument);
    WriteNavigationDocument(run_, book_);
    Tell(BuildPhase::TitlePage);
    SaveAnsiFile(layout.Epub("titlepage.xhtml"), TemplateLine(layout.Template("titlepage.xhtml")));
    Tell(BuildPhase::Cover);
    SaveBytes(layout.Epub("cover.jpeg"),
              cover ? *cover : TemplateBytes(layout.Template("cover.jpeg")));
}

std::vector<std::string> BookMaker::Entries() const {
    const SongCollection& songs = run_.Songs();
    std::vector<std::string> entries{"mimetype",   "META-INF/container.xml", "content.opf",
                                     "cover.jpeg", "titlepage.xhtml",        "toc.ncx"};
    for (int n = 1; n <= songs.SongCount(); ++n) {
        entries.push_back(PageHref(songs, n));
    }
    return entries;
}

void BookMaker::StartPacking() {
    Tell(BuildPhase::Packing);
    const RunLayout& layout = run_.Layout();
    hold_ = std::make_unique<Workspace::PageHold>(run_);
    packer_ = std::make_unique<ContainerPacker>(FindArchiver(layout.Archiver()), layout, Entries());
}

std::optional<BuildResult> BookMaker::Poll() {
    if (!Running()) {
        return std::nullopt;
    }
    try {
        if (!packer_->Poll()) {
            return std::nullopt;
        }
        BuildResult result = Deliver();
        End();
        Tell(BuildPhase::Done);
        return result;
    } catch (...) {
        End();
        Tell(BuildPhase::Failed);
        throw;
    }
}

BuildResult BookMaker::Deliver() {
    BuildResult result{BookPath(), {}, {}, pressedAt_};
    if (const int error = MoveFile(packer_->Archive(), result.book)) {
        throw Failure(Problem::CannotSaveBook, result.book, error);
    }
    MarkBuilt(run_.Layout(), pressedAt_);
    if (savePlace_.empty() || SameFile(savePlace_, result.book)) {
        return result;
    }
    if (const int error = CopyFile(result.book, savePlace_)) {
        result.copyFailure = Failure(Problem::CannotSaveBook, savePlace_, error);
    } else {
        result.copy = savePlace_;
    }
    return result;
}

}  // namespace velmora
