#include "workspace/workspace.h"

#include <sys/stat.h>

#include <cerrno>

#include "text/failure.h"
#include "text/template_copy.h"
#include "text/xml_text.h"
#include "workspace/song_log.h"
#include "workspace/song_page.h"

namespace velmora {
namespace {

// Two starts in one second share a stamp; the later one takes the next free suffix.
constexpr int kMaxStampSuffix = 1000;

void MakeDirectory(const std::filesystem::path& path) {
    if (::mkdir(path.c_str(), 0777) != 0) {
        throw Failure::FromErrno(u"无法创建工作文件夹", path, errno);
    }
}

}  // namespace

Workspace::Workspace(std::filesystem::path appDir, const Clock& clock, CollectionView& view)
    : appDir_(std::move(appDir)), clock_(clock), view_(view) {}

void Workspace::ReadyToMake() {
    songCount_ = 0;
    workDir_ = MakeWorkDir(clock_.LocalSeconds());
    MakeDirectory(workDir_ / "epub");
    MakeDirectory(workDir_ / "epub" / "images");
    MakeDirectory(workDir_ / "epub" / "text");
    MakeDirectory(workDir_ / "epub" / "META-INF");
    SongLog(workDir_ / "lyric.txt").Create();
    WritrFile(appDir_ / "template" / "META-INF" / "container.xml",
              workDir_ / "epub" / "META-INF" / "container.xml", view_);
    songNames_.assign(2, std::u16string());
    songLyrics_.assign(2, std::u16string());
    songPages_.assign(2, std::u16string());
}

std::filesystem::path Workspace::MakeWorkDir(std::int64_t stamp) const {
    const std::string base = std::to_string(stamp);
    for (int suffix = 1; suffix <= kMaxStampSuffix; ++suffix) {
        const std::string name = suffix == 1 ? base : base + "_" + std::to_string(suffix);
        const std::filesystem::path dir = appDir_ / "temp" / name;
        if (::mkdir(dir.c_str(), 0777) == 0) {
            return dir / "";
        }
        if (errno != EEXIST) {
            throw Failure::FromErrno(u"无法创建工作文件夹", dir, errno);
        }
    }
    throw Failure::FromErrno(u"无法创建工作文件夹", appDir_ / "temp" / base, EEXIST);
}

std::filesystem::path Workspace::PagePath(int songNumber) const {
    return workDir_ / "epub" / "text" / PageFileName(songNumber);
}

void Workspace::AddLyric(const std::u16string& songName, const std::u16string& lyric) {
    if (songName.empty() || lyric.empty()) {
        view_.showMessage(u"歌词和歌名不能为空。", u"提示");
        return;
    }
    if (songCount_ >= kMaxSongs) {
        view_.showMessage(u"歌词本已满：最多只能收录 9999 首歌。", u"提示");
        return;
    }
    const int number = songCount_ + 1;
    const std::filesystem::path page = PagePath(number);
    SongLog log(workDir_ / "lyric.txt");
    log.Append(number, songName, lyric);
    try {
        WriteSongPage(appDir_, page, songName, lyric, view_);
    } catch (...) {
        log.TakeBack();
        throw;
    }
    // Nothing below can fail short of memory: the song is in.
    songCount_ = static_cast<std::int16_t>(number);
    songNames_[number] = songName;
    songLyrics_[number] = LyricWithBreaks(lyric);
    songPages_[number] = PathText(page);
    songNames_.emplace_back();
    songLyrics_.emplace_back();
    songPages_.emplace_back();
    view_.appendListEntry(Decimal(number) + u":" + songName);
    view_.emptyInputBoxes();
}

}  // namespace velmora
