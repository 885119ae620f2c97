#include "workspace/run_layout.h"

#include "platform/file_system.h"
#include "platform/user_folders.h"
#include "text/code_page.h"

namespace velmora {

namespace fs = std::filesystem;

RunLayout::RunLayout(const fs::path& appDir)
    : appDir_(Absolute(appDir)), runs_(appDir_ / "temp"), finished_(appDir_ / "finished") {
    if (!IsWritableFolder(runs_)) {
        runs_ = StateHome() / "velmora";
        finished_ = DocumentsFolder() / "Velmora";
        userFolders_ = true;
    }
}

std::vector<fs::path> RunLayout::UserFolders() const {
    return userFolders_ ? std::vector<fs::path>{runs_, finished_} : std::vector<fs::path>{};
}

fs::path RunLayout::Template(std::string_view relative) const {
    return appDir_ / "template" / relative;
}

fs::path RunLayout::RunFolder(std::string_view name) const {
    return runs_ / name;
}

fs::path RunLayout::FinishedFolder() const {
    return finished_ / "";
}

fs::path RunLayout::BookPath() const {
    return BookIn(FinishedFolder());
}

fs::path RunLayout::BookIn(const fs::path& folder) const {
    return folder / "我的歌词本.epub";
}

fs::path RunLayout::Archiver() const {
    return appDir_ / "7za";
}

std::vector<fs::path> RunLayout::Folders() const {
    return {workDir_, workDir_ / "epub", workDir_ / "epub" / "images", workDir_ / "epub" / "text",
            workDir_ / "epub" / "META-INF"};
}

fs::path RunLayout::SongLog() const {
    return workDir_ / "lyric.txt";
}

fs::path RunLayout::Epub(std::string_view relative) const {
    return workDir_ / "epub" / relative;
}

fs::path RunLayout::Page(std::u16string_view fileName) const {
    return workDir_ / "epub" / "text" / codepage::ToUtf8(fileName);
}

fs::path RunLayout::SetAside(const fs::path& page) const {
    std::string name = ".";
    name += page.filename().string();
    return page.parent_path() / (name + ".removed");
}

fs::path RunLayout::PackFolder() const {
    return workDir_ / "pack";
}

}  // namespace velmora
