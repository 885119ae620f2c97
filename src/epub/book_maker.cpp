#include "epub/book_maker.h"

#include "epub/book_pages.h"
#include "epub/front_pages.h"
#include "epub/jpeg_size.h"
#include "epub/lyric_page.h"
#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "epub/page_markup.h"
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
        pressedAt_ = run_.JournalLength();
        printed_ = PrintOf(run_.Songs());
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
    if (book_.IsDefault()) {
        SaveAnsiFile(layout.Epub("titlepage.xhtml"),
                     TemplateLine(layout.Template("titlepage.xhtml")));
    } else {
        WriteNamedPages(cover ? *cover : TemplateBytes(layout.Template("cover.jpeg")));
    }
    Tell(BuildPhase::Cover);
    SaveBytes(layout.Epub("cover.jpeg"),
              cover ? *cover : TemplateBytes(layout.Template("cover.jpeg")));
}

void BookMaker::WriteNamedPages(std::string_view cover) {
    const RunLayout& layout = run_.Layout();
    const SongCollection& songs = run_.Songs();
    const std::optional<PixelSize> size = JpegSize(cover);
    if (size) {
        SaveBytes(layout.Epub("titlepage.xhtml"),
                  ComposeCoverPage(size->width, size->height, book_.script));
    } else {
        SaveAnsiFile(layout.Epub("titlepage.xhtml"),
                     TemplateLine(layout.Template("titlepage.xhtml")));
    }
    SaveBytes(layout.Epub(kStyleSheet), StyleSheet());
    SaveBytes(layout.Epub("title.xhtml"),
              ComposeTitlePage(book_, songs.SongCount(), clock_.LocalSeconds()));
    SaveBytes(layout.Epub(kContentsPage), ComposeContentsPage(songs, book_.script));
    if (HasArtistIndex(songs)) {
        SaveBytes(layout.Epub(kArtistIndexPage), ComposeArtistIndexPage(songs, book_.script));
    }
    // The pages of an earlier build go: this book may have fewer songs.
    const std::filesystem::path folder = layout.Epub("songs");
    RemoveTree(folder);
    if (const int error = MakeDirectory(folder)) {
        throw Failure(Problem::CannotCreateFolder, folder, error);
    }
    for (int n = 1; n <= songs.SongCount(); ++n) {
        SaveBytes(layout.Epub(NamedSongHref(n)), ComposeLyricPage(songs.At(n), book_.script));
    }
}

std::vector<std::string> BookMaker::Entries() const {
    const SongCollection& songs = run_.Songs();
    std::vector<std::string> entries{"mimetype",   "META-INF/container.xml", "content.opf",
                                     "cover.jpeg", "titlepage.xhtml",        "toc.ncx"};
    if (!book_.IsDefault()) {
        entries.push_back(kStyleSheet);
        for (const FrontPage& page : FrontPages(songs)) {
            entries.push_back(page.href);
        }
    }
    for (int n = 1; n <= songs.SongCount(); ++n) {
        entries.push_back(SongHref(songs, n, book_));
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
    BuildResult result{BookPath(), {}, {}, pressedAt_, book_, printed_.size()};
    if (const int error = MoveFile(packer_->Archive(), result.book)) {
        throw Failure(Problem::CannotSaveBook, result.book, error);
    }
    MarkBuilt(run_.Layout(), printed_);
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
