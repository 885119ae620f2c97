#include "workspace/workspace.h"

#include <algorithm>
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

namespace fs = std::filesystem;

// Two starts in one second share a stamp; the later one takes the next free suffix.
constexpr int kMaxStampSuffix = 1000;
constexpr char kContainer[] = "META-INF/container.xml";

void MakeFolder(const fs::path& path) {
    if (const int error = MakeDirectory(path)) {
        throw Failure::FromErrno(u"无法创建工作文件夹", path, error);
    }
}

bool Refused(const std::u16string& songName, const std::u16string& lyric, MessageSink& view) {
    if (songName.empty() || lyric.empty()) {
        view.showMessage(u"歌词和歌名不能为空。", u"提示");
        return true;
    }
    return false;
}

}  // namespace

// A page the collection lets go of. It is set aside at once, so that the change can still
// be taken back (by the destructor), and removed once the change is made (Commit). While
// a build packs it, it stays where it is until the build ends.
class Workspace::LetGo {
public:
    LetGo(Workspace& run, fs::path page)
        : run_(run), page_(std::move(page)), aside_(run.layout_.SetAside(page_)) {
        run_.held_.reserve(run_.held_.size() + 1);
        const int error = run_.holding_ ? 0 : RenameFile(page_, aside_);
        // A page already gone has nothing to set aside.
        if (error != 0 && error != ENOENT) {
            throw Failure::FromErrno(u"无法删除文件", page_, error);
        }
        setAside_ = !run_.holding_ && error == 0;
    }
    ~LetGo() {
        if (setAside_) {
            (void)RenameFile(aside_, page_);
        }
    }
    LetGo(const LetGo&) = delete;
    LetGo& operator=(const LetGo&) = delete;

    void Commit() noexcept {
        if (run_.holding_) {
            run_.held_.push_back(page_);
        } else if (setAside_) {
            // Left behind, it would go into no book: a failure here costs nothing.
            (void)RemoveFile(aside_);
        }
        setAside_ = false;
    }

private:
    Workspace& run_;
    fs::path page_;
    fs::path aside_;
    bool setAside_ = false;
};

Workspace::PageHold::PageHold(Workspace& run) : run_(run) {
    run_.holding_ = true;
}

Workspace::PageHold::~PageHold() {
    run_.holding_ = false;
    for (const fs::path& page : run_.held_) {
        (void)RemoveFile(page);
    }
    run_.held_.clear();
}

Workspace::Workspace(const fs::path& appDir, const Clock& clock, CollectionView& view)
    : layout_(appDir), clock_(clock), view_(view) {}

void Workspace::ReadyToMake() {
    songs_ = SongCollection();
    for (const auto& folder : layout_.UserFolders()) {
        if (const int error = MakeDirectories(folder)) {
            throw Failure::FromErrno(u"无法创建工作文件夹", folder, error);
        }
    }
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

fs::path Workspace::MakeWorkDir(std::int64_t stamp) const {
    const std::string base = std::to_string(stamp);
    for (int suffix = 1; suffix <= kMaxStampSuffix; ++suffix) {
        const std::string name = suffix == 1 ? base : base + "_" + std::to_string(suffix);
        const fs::path dir = layout_.RunFolder(name);
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

// A cleaner may have taken the work directory: the change goes in all the same.
void Workspace::RestoreIfGone() {
    if (!IsDirectory(layout_.Epub("text")) || !Exists(layout_.SongLog())) {
        Restore();
    }
}

std::u16string Workspace::PageTemplate() const {
    return TemplateLine(layout_.Template("text/part0000.html"));
}

int Workspace::FreePageNumber(int preferred) const {
    const auto held = [this](int k) {
        return std::any_of(held_.begin(), held_.end(), [this, k](const fs::path& page) {
            return page == layout_.Page(PageFileName(k));
        });
    };
    int k = preferred;
    while (songs_.PageInUse(k) || held(k)) {
        ++k;
    }
    return k;
}

SongCollection::NewSong Workspace::WritePage(int preferred, const std::u16string& songName,
                                             const std::u16string& lyric) {
    const std::u16string pageText = ComposeSongPage(PageTemplate(), songName, lyric);
    const int number = FreePageNumber(preferred);
    const fs::path page = layout_.Page(PageFileName(number));
    SongCollection::NewSong song = songs_.Prepare(songName, lyric, number, PathText(page));
    RestoreIfGone();
    SaveUtf8File(page, pageText);
    return song;
}

void Workspace::AddLyric(const std::u16string& songName, const std::u16string& lyric) {
    if (Refused(songName, lyric, view_)) {
        return;
    }
    if (songs_.SongCount() >= kMaxSongs) {
        view_.showMessage(u"歌词本已满：最多只能收录 9999 首歌。", u"提示");
        return;
    }
    AddSong(songName, lyric);
    view_.emptyInputBoxes();
}

void Workspace::AddSong(const std::u16string& songName, const std::u16string& lyric) {
    const int number = songs_.SongCount() + 1;
    SongCollection::NewSong song = WritePage(number, songName, lyric);
    // The page first: a log record without its page would be a song that never was.
    try {
        AppendAnsiText(layout_.SongLog(), SongLogRecord(number, songName, lyric));
    } catch (...) {
        (void)RemoveFile(layout_.Page(PageFileName(song.pageNumber)));
        throw;
    }
    songs_.Append(std::move(song));
    view_.appendListEntry(Decimal(number) + u":" + songName);
}

bool Workspace::EditLyric(int n, const std::u16string& songName, const std::u16string& lyric) {
    if (!IsSong(n) || Refused(songName, lyric, view_)) {
        return false;
    }
    // A new page, not the old one rewritten: a build may be packing that.
    SongCollection::NewSong song = WritePage(songs_.SongCount() + 1, songName, lyric);
    const fs::path page = layout_.Page(PageFileName(song.pageNumber));
    try {
        LetGo old(*this, layout_.Page(songs_.PageFileName(n)));
        AppendAnsiText(layout_.SongLog(), EditLogRecord(n, songName, lyric));
        songs_.Replace(n, std::move(song));
        old.Commit();
    } catch (...) {
        (void)RemoveFile(page);
        throw;
    }
    ShowListFrom(n);
    view_.selectListEntry(n);
    return true;
}

void Workspace::RemoveLyric(int n) {
    if (!IsSong(n)) {
        return;
    }
    RestoreIfGone();
    LetGo page(*this, layout_.Page(songs_.PageFileName(n)));
    AppendAnsiText(layout_.SongLog(), RemoveLogRecord(n));
    songs_.Remove(n);
    page.Commit();
    ShowListFrom(n);
    view_.selectListEntry(std::min<int>(n, songs_.SongCount()));
}

void Workspace::MoveLyric(int from, int to) {
    if (from == to || !IsSong(from) || !IsSong(to)) {
        return;
    }
    RestoreIfGone();
    AppendAnsiText(layout_.SongLog(), MoveLogRecord(from, to));
    songs_.Move(from, to);
    ShowListFrom(std::min(from, to));
    view_.selectListEntry(to);
}

bool Workspace::IsSong(int n) const {
    return n >= 1 && n <= songs_.SongCount();
}

void Workspace::ShowListFrom(int n) {
    std::vector<std::u16string> entries;
    for (int k = n; k <= songs_.SongCount(); ++k) {
        entries.push_back(Decimal(k) + u":" + songs_.SongNames()[static_cast<std::size_t>(k)]);
    }
    view_.showListFrom(n, entries);
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
        const fs::path page = layout_.Page(songs_.PageFileName(n));
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
