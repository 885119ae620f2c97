#include "workspace/workspace.h"

#include <cerrno>

#include "platform/file_system.h"
#include "text/failure.h"
#include "text/template_copy.h"
#include "text/text_files.h"
#include "text/xml_text.h"
#include "workspace/song_log.h"
#include "workspace/song_page.h"

namespace velmora {
namespace {

// Two starts in one second share a stamp; the later one takes the next free suffix.
constexpr int kMaxStampSuffix = 1000;
constexpr char kContainer[] = "META-INF/container.xml";

void MakeFolder(const std::filesystem::path& path) {
    if (const int error = MakeDirectory(path)) {
        throw Failure::FromErrno(u"无法创建工作文件夹", path, error);
    }
}

}  // namespace

Workspace::Workspace(const std::filesystem::path& appDir, const Clock& clock, CollectionView& view)
    : layout_(appDir), clock_(clock), view_(view) {}

void Workspace::ReadyToMake() {
    songs_ = SongCollection();
    layout_.SetWorkDir(MakeWorkDir(clock_.LocalSeconds()));
    try {
        MakeTree();
        SaveBytes(layout_.SongLog(), {});
        WritrFile(layout_.Template(kContainer), layout_.Epub(kContainer));
    } catch (...) {
        RemoveTree(layout_.WorkDir());
        throw;
    }
}

std::filesystem::path Workspace::MakeWorkDir(std::int64_t stamp) const {
    const std::string base = std::to_string(stamp);
    for (int suffix = 1; suffix <= kMaxStampSuffix; ++suffix) {
        const std::string name = suffix == 1 ? base : base + "_" + std::to_string(suffix);
        const std::filesystem::path dir = layout_.RunFolder(name);
        const int error = MakeDirectory(dir);
        if (error == 0) {
            return dir / "";
        }
        if (error != EEXIST) {
            throw Failure::FromErrno(u"无法创建工作文件夹", dir, error);
        }
    }
    throw Failure::FromErrno(u"无法创建工作文件夹", layout_.RunFolder(base), EEXIST);
}

void Workspace::MakeTree() const {
    for (const auto& folder : layout_.Folders()) {
        if (!IsDirectory(folder)) {
            MakeFolder(folder);
        }
    }
}

std::u16string Workspace::PageTemplate() const {
    return TemplateLine(layout_.Template("text/part0000.html"));
}

void Workspace::AddLyric(const std::u16string& songName, const std::u16string& lyric) {
    if (songName.empty() || lyric.empty()) {
        view_.showMessage(u"歌词和歌名不能为空。", u"提示");
        return;
    }
    if (songs_.SongCount() >= kMaxSongs) {
        view_.showMessage(u"歌词本已满：最多只能收录 9999 首歌。", u"提示");
        return;
    }
    const int number = songs_.SongCount() + 1;
    const std::filesystem::path page = layout_.Page(PageFileName(number));
    const std::u16string pageText = ComposeSongPage(PageTemplate(), songName, lyric);
    SongCollection::NewSong song = songs_.Prepare(songName, lyric, PathText(page));
    // A cleaner may have taken the work directory: the song goes in all the same.
    if (!IsDirectory(page.parent_path()) || !Exists(layout_.SongLog())) {
        Restore();
    }
    // The page first: a log record without its page would be a song that never was.
    SaveUtf8File(page, pageText);
    try {
        AppendAnsiText(layout_.SongLog(), SongLogRecord(number, songName, lyric));
    } catch (...) {
        (void)RemoveFile(page);
        throw;
    }
    songs_.Append(std::move(song));
    view_.appendListEntry(Decimal(number) + u":" + songName);
    view_.emptyInputBoxes();
}

void Workspace::Restore() {
    MakeTree();
    if (!Exists(layout_.SongLog())) {
        SaveAnsiFile(layout_.SongLog(), SongLogOf(songs_));
    }
    if (!Exists(layout_.Epub(kContainer))) {
        WritrFile(layout_.Template(kContainer), layout_.Epub(kContainer));
    }
    std::u16string pageTemplate;
    for (int n = 1; n <= songs_.SongCount(); ++n) {
        const std::filesystem::path page = layout_.Page(songs_.PageFileName(n));
        if (Exists(page)) {
            continue;
        }
        if (pageTemplate.empty()) {
            pageTemplate = PageTemplate();
        }
        SaveUtf8File(page, ComposeSongPage(pageTemplate, songs_.SongNames()[n], songs_.Lyric(n)));
    }
}

}  // namespace velmora
