#include "epub/book_maker.h"

#include "epub/navigation_document.h"
#include "epub/package_document.h"
#include "text/failure.h"
#include "text/file_handle.h"
#include "text/template_copy.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Targets that the build writes into the epub tree; each build starts them empty.
constexpr const char* kTargets[] = {"mimetype", "content.opf", "toc.ncx", "titlepage.xhtml",
                                    "cover.jpeg"};

void RemoveFile(const fs::path& path) {
    std::error_code error;
    fs::remove(path, error);
    if (error) {
        throw Failure::FromErrno(u"无法删除文件", path, error.value());
    }
}

void CopyBytes(const fs::path& source, const fs::path& target) {
    std::error_code error;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
    if (error) {
        const bool readable = FileHandle(source, FileHandle::Mode::OpenExisting).isOpen();
        throw Failure::FromErrno(readable ? u"无法写入文件" : u"无法读取文件",
                                 readable ? target : source, error.value());
    }
}

// The media type goes in byte for byte: the container wants exactly those 20 bytes.
void CopyMimetype(const fs::path& source, const fs::path& target, MessageSink& messages) {
    if (!FileHandle(source, FileHandle::Mode::OpenExisting).isOpen()) {
        messages.showMessage(u"文件无法读入！", kAppTitle);
        return;
    }
    CopyBytes(source, target);
}

}  // namespace

BookMaker::BookMaker(const Workspace& run, const Clock& clock, BuildView& view)
    : run_(run), clock_(clock), view_(view) {}

BookMaker::~BookMaker() {
    if (Running()) {
        packer_.reset();
        std::error_code ignored;
        fs::remove(TemporaryBookPath(), ignored);
    }
}

fs::path BookMaker::BookPath() const {
    return run_.AppDir() / "finished" / "我的歌词本.epub";
}

fs::path BookMaker::TemporaryBookPath() const {
    return run_.AppDir() / "finished" / "我的歌词本.epub.part";
}

void BookMaker::MakeBook() {
    if (Running()) {
        view_.showMessage(u"正在制作，请等这一次制作完成。", u"提示");
        return;
    }
    try {
        WriteTree();
        StartPacking();
    } catch (const Failure&) {
        Fail();
    }
}

void BookMaker::WriteTree() {
    const fs::path templates = run_.AppDir() / "template";
    const fs::path epub = run_.WorkDir() / "epub";
    view_.setStatus(u"正在制作，请稍等...");
    for (const char* target : kTargets) {
        RemoveFile(epub / target);
    }
    CopyMimetype(templates / "mimetype", epub / "mimetype", view_);
    view_.setStatus(u"输出content.opf...");
    WritePackageDocument(run_, clock_, view_);
    view_.setStatus(u"输出toc.ncx...");
    WriteNavigationDocument(run_, view_);
    view_.setStatus(u"输出titlepage.xhtml...");
    WritrFile(templates / "titlepage.xhtml", epub / "titlepage.xhtml", view_);
    view_.setStatus(u"输出封面...");
    CopyBytes(templates / "cover.jpeg", epub / "cover.jpeg");
}

void BookMaker::StartPacking() {
    view_.setStatus(u"打包...");
    const fs::path archiver = FindArchiver(run_.AppDir());
    // A fresh archive every time: 7-Zip's add command would keep an old book's entries.
    RemoveFile(TemporaryBookPath());
    packer_ = std::make_unique<ContainerPacker>(archiver, run_.WorkDir() / "epub",
                                                run_.WorkDir() / "pack", TemporaryBookPath());
    packer_->Start();
}

bool BookMaker::Poll() {
    if (!Running()) {
        return true;
    }
    try {
        if (!packer_->Poll()) {
            return false;
        }
        packer_.reset();
        Finish();
        return true;
    } catch (const Failure&) {
        Fail();
    }
}

void BookMaker::Finish() {
    std::error_code error;
    fs::rename(TemporaryBookPath(), BookPath(), error);
    if (error) {
        throw Failure::FromErrno(u"无法保存电子书", BookPath(), error.value());
    }
    view_.setStatus(u"制作完成");
}

void BookMaker::Fail() {
    packer_.reset();
    std::error_code ignored;
    fs::remove(TemporaryBookPath(), ignored);
    view_.setStatus(u"制作失败");
    throw;
}

}  // namespace velmora
