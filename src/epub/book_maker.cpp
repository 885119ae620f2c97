#include "epub/book_maker.h"

#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "platform/file_system.h"
#include "text/code_page.h"
#include "text/failure.h"
#include "text/template_copy.h"
#include "text/text_files.h"

namespace velmora {

BookMaker::BookMaker(Workspace& run, const Clock& clock, BuildView& view)
    : run_(run), clock_(clock), view_(view) {}

void BookMaker::MakeBook(const Cover& cover) {
    if (Running()) {
        view_.showMessage(u"正在制作，请等这一次制作完成。", u"提示");
        return;
    }
    try {
        WriteTree(cover ? cover() : std::nullopt);
        StartPacking();
    } catch (...) {
        End();
        view_.setStatus(u"制作失败");
        throw;
    }
}

void BookMaker::End() {
    packer_.reset();
    hold_.reset();
}

void BookMaker::WriteTree(const std::optional<std::string>& cover) {
    const RunLayout& layout = run_.Layout();
    view_.setStatus(u"正在制作，请稍等...");
    run_.Restore();
    // The media type goes in byte for byte: the container wants exactly those 20 bytes.
    SaveBytes(layout.Epub("mimetype"), TemplateBytes(layout.Template("mimetype")));
    view_.setStatus(u"输出content.opf...");
    WritePackageDocument(run_, clock_);
    view_.setStatus(u"输出toc.ncx...");
    WriteNavigationDocument(run_);
    view_.setStatus(u"输出titlepage.xhtml...");
    SaveAnsiFile(layout.Epub("titlepage.xhtml"), TemplateLine(layout.Template("titlepage.xhtml")));
    view_.setStatus(u"输出封面...");
    SaveBytes(layout.Epub("cover.jpeg"),
              cover ? *cover : TemplateBytes(layout.Template("cover.jpeg")));
}

std::vector<std::string> BookMaker::Entries() const {
    const SongCollection& songs = run_.Songs();
    std::vector<std::string> entries{"mimetype",   "META-INF/container.xml", "content.opf",
                                     "cover.jpeg", "titlepage.xhtml",        "toc.ncx"};
    for (int n = 1; n <= songs.SongCount(); ++n) {
        entries.push_back(codepage::ToUtf8(PageHref(songs, n)));
    }
    return entries;
}

void BookMaker::StartPacking() {
    view_.setStatus(u"打包...");
    const RunLayout& layout = run_.Layout();
    hold_ = std::make_unique<Workspace::PageHold>(run_);
    packer_ = std::make_unique<ContainerPacker>(FindArchiver(layout.Archiver()), layout.Epub(),
                                                Entries(), layout.PackFolder());
}

bool BookMaker::Poll() {
    if (!Running()) {
        return true;
    }
    try {
        if (!packer_->Poll()) {
            return false;
        }
        Deliver();
        End();
        view_.setStatus(u"制作完成");
        return true;
    } catch (...) {
        End();
        view_.setStatus(u"制作失败");
        throw;
    }
}

void BookMaker::CopyBook(std::u16string_view saveBox) const {
    const std::filesystem::path asked = codepage::ToUtf8(saveBox);
    const RunLayout& layout = run_.Layout();
    if (!asked.is_absolute()) {
        return;
    }
    std::filesystem::path target = asked;
    if (IsDirectory(asked) || !asked.has_filename()) {
        target = layout.BookIn(asked);
    } else if (!asked.has_extension()) {
        target += ".epub";
    }
    // The box's first text, the finished folder, names the book itself.
    if (SameFile(target, BookPath())) {
        return;
    }
    if (const int error = CopyFile(BookPath(), target)) {
        throw Failure::FromErrno(u"无法保存电子书", target, error);
    }
}

void BookMaker::Deliver() {
    if (const int error = MoveFile(packer_->Archive(), BookPath())) {
        throw Failure::FromErrno(u"无法保存电子书", BookPath(), error);
    }
}

}  // namespace velmora
